#include "recordingsurface.h"

namespace vorlane {

void RecordingSurface::setPaperSize(int paperNumber)
{
    paperSize = paperNumber;
    if (paperNumber == kPaperA4) {
        width = kA4Width;
        height = kA4Height;
    } else if (paperNumber == kPaperLetter) {
        width = kLetterWidth;
        height = kLetterHeight;
    }
}

void RecordingSurface::printText(const QString &text)
{
    if (m_failAfter >= 0 && drawn.size() >= m_failAfter)
        throw m_failure;
    drawn.append({page, text, m_x, m_y, fontSize});
}

QList<RecordingSurface::Drawn> RecordingSurface::onPage(int p) const
{
    QList<Drawn> out;
    for (const Drawn &d : drawn)
        if (d.page == p)
            out.append(d);
    return out;
}

std::optional<RecordingSurface::Drawn> RecordingSurface::find(const QString &text, int p) const
{
    for (const Drawn &d : drawn)
        if (d.text == text && (p < 0 || d.page == p))
            return d;
    return std::nullopt;
}

QStringList RecordingSurface::textsOnPage(int p) const
{
    QStringList out;
    for (const Drawn &d : drawn)
        if (d.page == p)
            out.append(d.text);
    return out;
}

}  // namespace vorlane
