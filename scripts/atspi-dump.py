#!/usr/bin/python3
# Prints the accessibility tree of the running programs as a screen reader reads it over
# AT-SPI: each shown object's role, name, text, the label it is labelled by and the focus.
# Run the program under a private D-Bus session with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# (Debian: python3-gi, gir1.2-atspi-2.0, at-spi2-core), for example:
#   dbus-run-session -- sh -c '/usr/libexec/at-spi-bus-launcher --launch-immediately &
#     QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 build/bin/vorlane & sleep 3; scripts/atspi-dump.py'
import warnings

import gi

gi.require_version('Atspi', '2.0')
from gi.repository import Atspi

warnings.filterwarnings('ignore', category=DeprecationWarning)


def walk(o, depth, out):
    try:
        role, name = o.get_role_name(), o.get_name()
        states = o.get_state_set()
        text = ''
        t = o.get_text_iface()
        if t:
            text = t.get_text(0, -1)
        labelled = ''
        for r in o.get_relation_set():
            if r.get_relation_type() == Atspi.RelationType.LABELLED_BY:
                labelled = r.get_target(0).get_name()
        if states.contains(Atspi.StateType.SHOWING) and role not in ('filler', 'panel', 'unknown'):
            out.append('%s%s "%s"%s%s%s' % ('  ' * depth, role, name, ' text="%s"' % text if text else '',
                                            ' labelled-by="%s"' % labelled if labelled else '',
                                            ' [FOCUSED]' if states.contains(Atspi.StateType.FOCUSED) else ''))
        for i in range(o.get_child_count()):
            walk(o.get_child_at_index(i), depth + 1, out)
    except Exception:
        pass


desktop = Atspi.get_desktop(0)
lines = []
for i in range(desktop.get_child_count()):
    walk(desktop.get_child_at_index(i), 0, lines)
print('\n'.join(lines))
