#!/usr/bin/python3
"""The settings window follows the desktop's light or dark setting, as it
opens and while it is open: the installed program, started as its menu entry
says, in a real window on Xvfb under xfwm4, read back from the X server with xwd. The desktop portal is a stand-in (see
portal_mock); Xfce's settings come from the real xfconfd on the test's bus."""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import unittest

import dbusmock

import xfconf_daemon
import xwd_pixels
from portal_mock import change_scheme, start_portal

BUILD_TREE = os.environ.get('AMPORA_BUILD_TREE')
CMAKE = os.environ.get('CMAKE_COMMAND', 'cmake')
LIGHT = {'grouped background': (239, 239, 244), 'rows': (255, 255, 255)}
DARK = {'grouped background': (0, 0, 0), 'rows': (0x1c, 0x1c, 0x1e)}
TOOLS = ('Xvfb', 'xfwm4', 'xdotool', 'xwd')


def shows(window, look, share=0.08):
    """Each named color of `look` covers at least `share` of the window."""
    try:
        counts, total = xwd_pixels.color_counts(window)
    except (subprocess.CalledProcessError, ValueError, struct.error):
        return False
    return all(counts[rgb] >= share * total for rgb in look.values())


@unittest.skipUnless(all(shutil.which(tool) for tool in TOOLS), 'needs ' + ', '.join(TOOLS))
class WindowDarkMode(dbusmock.DBusTestCase):
    @classmethod
    def setUpClass(cls):
        cls.start_session_bus()
        cls.work = tempfile.mkdtemp(prefix='ampora-dark-')
        cls.servers = []
        cls.command = ['ampora-settings']
        if BUILD_TREE:
            prefix = cls.work + '/prefix'
            subprocess.run([CMAKE, '--install', BUILD_TREE, '--prefix', prefix], check=True, stdout=subprocess.DEVNULL)
            with open(prefix + '/share/applications/ampora-settings.desktop') as entry:
                cls.command = next(line for line in entry if line.startswith('Exec=')).strip()[5:].split()
        with open(cls.work + '/display', 'w') as display:
            cls.servers.append(subprocess.Popen(['Xvfb', '-displayfd', '1', '-screen', '0', '1366x768x24',
                                                 '-nolisten', 'tcp'], stdout=display, stderr=subprocess.DEVNULL))
        for _ in range(100):
            with open(cls.work + '/display') as display:
                number = display.read().strip()
            if number:
                break
            time.sleep(0.1)
        cls.display = ':' + number
        os.environ['DISPLAY'] = cls.display  # for xdotool and xwd too
        cls.servers.append(subprocess.Popen(['xfwm4', '--compositor=off'], env=dict(
            os.environ, DISPLAY=cls.display, HOME=cls.work), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        time.sleep(1.5)

    @classmethod
    def tearDownClass(cls):
        for server in cls.servers:
            server.terminate()
            server.wait(5)
        shutil.rmtree(cls.work)

    def setUp(self):
        self.processes = []
        self.root = tempfile.mkdtemp(prefix='root-', dir=self.work)
        # Nothing of this machine's own desktop settings may count.
        self.env = dict(os.environ, DISPLAY=self.display, XDG_CONFIG_HOME=self.root + '/config',
                        XDG_CONFIG_DIRS=self.root + '/none', AMPORA_PREFERENCES=self.root + '/prefs')
        for name in ('GTK_THEME', 'SDL_VIDEODRIVER', 'GDK_SCALE', 'XDG_CURRENT_DESKTOP', 'LD_LIBRARY_PATH'):
            self.env.pop(name, None)

    def tearDown(self):
        for process in self.processes:
            if process.poll() is None:
                process.terminate()
                process.wait(5)

    def portal(self, scheme):
        server, mock = start_portal(self, scheme)
        self.processes.append(server)
        return mock

    def open_window(self, *extra, env=None):
        log_path = '%s/settings-%d.log' % (self.root, len(self.processes))
        with open(log_path, 'w') as log:
            process = subprocess.Popen(self.command + list(extra), env=env or self.env,
                                       stdout=subprocess.DEVNULL, stderr=log)
        self.processes.append(process)
        for _ in range(100):
            found = subprocess.run(['xdotool', 'search', '--pid', str(process.pid), '--name', '^Ampora$'],
                                   env=self.env, capture_output=True, text=True).stdout.split()
            if found:
                return found[0]
            if process.poll() is not None:
                with open(log_path) as log:
                    self.fail('the window did not open: ' + log.read())
            time.sleep(0.1)
        self.fail('no window titled Ampora')

    def becomes(self, window, look, limit=3.0):
        end = time.monotonic() + limit
        while time.monotonic() < end:
            if shows(window, look):
                return True
            time.sleep(0.05)
        return False

    def test_opens_dark_and_restyles_as_the_portal_changes(self):
        mock = self.portal(1)  # prefers dark
        window = self.open_window()
        self.assertTrue(self.becomes(window, DARK), 'the window opens in the dark look')
        changed = time.monotonic()
        change_scheme(mock, 2)
        self.assertTrue(self.becomes(window, LIGHT), 'the open window turns light')
        print('the open window restyled in %.0f ms' % ((time.monotonic() - changed) * 1000), file=sys.stderr)
        change_scheme(mock, 1)
        self.assertTrue(self.becomes(window, DARK), 'and dark again')

    def test_without_a_preference_the_gtk_theme_then_light(self):
        self.portal(0)  # no preference
        window = self.open_window(env=dict(self.env, GTK_THEME='Adwaita:dark'))
        self.assertTrue(self.becomes(window, DARK), 'GTK_THEME names a dark theme')
        first = self.processes.pop()
        first.terminate()
        first.wait(5)
        window = self.open_window()
        self.assertTrue(self.becomes(window, LIGHT), 'nothing says: light')

    @unittest.skipUnless(xfconf_daemon.AVAILABLE, 'needs xfconf')
    def test_on_xfce_the_theme_xfconfd_holds_and_its_changes(self):
        # The channel file still names a light theme: xfconfd writes it only
        # now and then, so a theme chosen this session is in xfconfd alone.
        channel = self.root + '/config/xfce4/xfconf/xfce-perchannel-xml'
        os.makedirs(channel)
        with open(channel + '/xsettings.xml', 'w') as stale:
            stale.write('<?xml version="1.0" encoding="UTF-8"?>\n<channel name="xsettings" version="1.0">\n'
                        '  <property name="Net" type="empty">\n'
                        '    <property name="ThemeName" type="string" value="Adwaita"/>\n'
                        '  </property>\n</channel>\n')
        self.env['XDG_CURRENT_DESKTOP'] = 'XFCE'
        self.portal(0)  # Xfce's portal backend has no preference to give
        self.processes.append(xfconf_daemon.start_xfconfd(self, self.env))
        xfconf_daemon.set_xfce_theme(self.env, 'Adwaita-dark')
        window = self.open_window()
        self.assertTrue(self.becomes(window, DARK), 'the theme chosen in this session counts, not the stale file')
        changed = time.monotonic()
        xfconf_daemon.set_xfce_theme(self.env, 'Greybird')
        self.assertTrue(self.becomes(window, LIGHT), 'choosing a light theme restyles the open window')
        print('the open window followed Xfce in %.0f ms' % ((time.monotonic() - changed) * 1000), file=sys.stderr)
        xfconf_daemon.set_xfce_theme(self.env, 'Greybird-dark')
        self.assertTrue(self.becomes(window, DARK), 'and a dark one again')

    def test_the_command_line_wins_over_the_desktop(self):
        self.portal(1)
        window = self.open_window('--light')
        self.assertTrue(self.becomes(window, LIGHT))
        self.tearDown()
        self.processes = []
        self.portal(2)
        window = self.open_window('--dark')
        self.assertTrue(self.becomes(window, DARK))


if __name__ == '__main__':
    unittest.main(verbosity=2)
