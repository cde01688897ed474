# One settings target that every library, program and test links.
add_library(vorlane_cfg INTERFACE)
target_compile_features(vorlane_cfg INTERFACE cxx_std_20)
target_compile_options(vorlane_cfg INTERFACE -Wall -Wextra -Werror)
# Every step from bytes to text is explicit: code page 874 is not UTF-8.
target_compile_definitions(vorlane_cfg INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_FROM_BYTEARRAY QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_KEYWORDS)
if(VORLANE_SANITIZE)
  target_compile_options(vorlane_cfg INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(vorlane_cfg INTERFACE -fsanitize=address,undefined)
endif()
# The file and process calls on Qt alone, as a system without POSIX builds them; the
# system's own calls otherwise.
if(VORLANE_PORTABLE)
  target_compile_definitions(vorlane_cfg INTERFACE VORLANE_PORTABLE)
endif()
