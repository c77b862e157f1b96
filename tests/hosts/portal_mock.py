"""The desktop portal's Settings interface, as python-dbusmock stands it up on
a test's private session bus. The real xdg-desktop-portal needs a desktop's
settings backend (GNOME's or KDE's) running behind it, which this machine
cannot start on a private bus; the mock answers the calls and sends the
signal exactly as the portal's interface describes them."""

import subprocess

import dbus
import dbusmock

PORTAL = 'org.freedesktop.portal.Desktop'
PORTAL_PATH = '/org/freedesktop/portal/desktop'
SETTINGS = 'org.freedesktop.portal.Settings'


def start_portal(case, scheme):
    """A portal whose color-scheme is `scheme` (0 none, 1 dark, 2 light), for a
    dbusmock.DBusTestCase: its server process and the mock to drive it."""
    server = case.spawn_server(PORTAL, PORTAL_PATH, SETTINGS, stdout=subprocess.DEVNULL)
    mock = dbus.Interface(case.get_dbus().get_object(PORTAL, PORTAL_PATH), dbusmock.MOCK_IFACE)
    mock.AddMethod(SETTINGS, 'ReadOne', 'ss', 'v', 'ret = dbus.UInt32(%d)' % scheme)
    return server, mock


def change_scheme(mock, scheme, namespace='org.freedesktop.appearance'):
    """The signal the portal sends when a person switches the scheme."""
    mock.EmitSignal(SETTINGS, 'SettingChanged', 'ssv', [namespace, 'color-scheme', dbus.UInt32(scheme, variant_level=1)])
