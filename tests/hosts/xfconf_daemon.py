"""Xfce's real settings daemon, xfconfd, on a dbusmock test's private session
bus, keeping its files where the test's environment says."""

import os
import subprocess

SERVICE = '/usr/share/dbus-1/services/org.xfce.Xfconf.service'
AVAILABLE = os.path.exists(SERVICE)


def start_xfconfd(case, env):
    """Starts xfconfd for a dbusmock.DBusTestCase and waits for it on the bus."""
    with open(SERVICE) as service:
        program = next(line for line in service if line.startswith('Exec=')).strip()[5:]
    daemon = subprocess.Popen([program], env=env, stderr=subprocess.DEVNULL)
    case.wait_for_bus_object('org.xfce.Xfconf', '/org/xfce/Xfconf')
    return daemon


def set_xfce_theme(env, name):
    """What Xfce's Appearance dialog does when a person picks a theme."""
    subprocess.run(['xfconf-query', '-c', 'xsettings', '-p', '/Net/ThemeName', '-n', '-t', 'string', '-s', name],
                   env=env, check=True)
