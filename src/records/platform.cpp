#include "records/platform.h"

#if defined(Q_OS_UNIX) || defined(__unix__)
#include <csignal>
#endif

namespace vorlane {

void PrepareProcess()
{
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

} // namespace vorlane
