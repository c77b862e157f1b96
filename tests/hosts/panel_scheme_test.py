#!/usr/bin/python3
"""The status bar's icon colors follow the desktop's light or dark setting,
told by a stand-in desktop portal (see portal_mock), or on Xfce by its real
settings daemon."""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import zlib

import dbusmock

import xfconf_daemon
from portal_mock import change_scheme, start_portal

HOST = os.environ.get('STATUSBAR_BINARY', 'ampora-statusbar')
AMPORA = os.environ.get('AMPORA_BINARY', 'ampora')
BLOCK_THEME = ("(c,g,l,m,e){var f=document.createElement('canvas');f.width=30;f.height=c;"
               "var a=f.getContext('2d');a.fillStyle='rgb('+e.join()+')';a.fillRect(0,0,f.width,c);"
               "return f.toDataURL('image/png')}")
WHITE, BLACK = (255, 255, 255), (0, 0, 0)


def first_pixel(path):
    """The RGB of a PNG's top-left pixel: whatever the row's filter, the first
    pixel of the first row is stored as it is."""
    with open(path, 'rb') as f:
        data = f.read()
    pos, idat, header = 8, b'', None
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b'IHDR':
            header = body
        elif kind == b'IDAT':
            idat += body
        pos += 12 + length
    assert header[8] == 8 and header[9] in (2, 6), 'an 8-bit RGB or RGBA PNG'
    row = zlib.decompress(idat)
    return tuple(row[1:4])


class PanelScheme(dbusmock.DBusTestCase):
    @classmethod
    def setUpClass(cls):
        cls.start_session_bus()

    def setUp(self):
        self.root = tempfile.mkdtemp(prefix='ampora-scheme-')
        prefs = self.root + '/prefs'
        os.makedirs(prefs + '/Ampora')
        with open(prefs + '/Ampora/Block.js', 'w') as f:
            f.write(BLOCK_THEME)
        # Nothing of this machine's own desktop settings may count.
        self.env = dict(os.environ, AMPORA_PREFERENCES=prefs, AMPORA_NOTIFY_DIR=self.root + '/notify',
                        XDG_CONFIG_HOME=self.root + '/config', XDG_CONFIG_DIRS=self.root + '/none')
        self.env.pop('GTK_THEME', None)
        for setting in ('theme Block', 'enabled true'):
            subprocess.run([AMPORA, 'set'] + setting.split(), env=self.env, check=True,
                           stdout=subprocess.DEVNULL)
        self.png = self.root + '/battery.png'
        self.processes = []

    def tearDown(self):
        for process in self.processes:
            if process.poll() is None:
                process.terminate()
                process.wait(5)
        shutil.rmtree(self.root)

    def portal(self, scheme):
        server, mock = start_portal(self, scheme)
        self.processes.append(server)
        return mock

    def host(self, *extra, env=None):
        process = subprocess.Popen([HOST, '--simulate', '57', '--png', self.png] + list(extra),
                                   env=env or self.env, stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def color_becomes(self, color, limit=3.0):
        end = time.monotonic() + limit
        while time.monotonic() < end:
            try:
                if first_pixel(self.png) == color:
                    return True
            except (OSError, AssertionError, zlib.error, TypeError):
                pass  # not written yet
            time.sleep(0.02)
        return False

    def test_follows_the_portal_as_it_changes(self):
        mock = self.portal(1)  # prefers dark
        self.host()
        self.assertTrue(self.color_becomes(WHITE), 'a dark panel gets white icon colors')
        changed = time.monotonic()
        change_scheme(mock, 2)
        self.assertTrue(self.color_becomes(BLACK, limit=1.0), 'redrawn black for a light panel')
        took = time.monotonic() - changed
        print('a changed color scheme redrew the icon in %.0f ms' % (took * 1000), file=sys.stderr)
        self.assertLess(took, 1.0)
        # Another namespace's change is not the color scheme.
        change_scheme(mock, 1, namespace='org.gnome.desktop.interface')
        time.sleep(0.3)
        self.assertEqual(first_pixel(self.png), BLACK)

    def test_without_a_preference_the_gtk_theme_then_dark(self):
        self.portal(0)  # no preference
        light = dict(self.env, GTK_THEME='Adwaita')
        self.host(env=light)
        self.assertTrue(self.color_becomes(BLACK), 'GTK_THEME names a light theme')
        self.processes.pop().terminate()
        os.remove(self.png)
        self.host()
        self.assertTrue(self.color_becomes(WHITE), 'nothing says: a dark panel')

    @unittest.skipUnless(xfconf_daemon.AVAILABLE, 'needs xfconf')
    def test_on_xfce_follows_the_theme_in_xfconfd(self):
        env = dict(self.env, XDG_CURRENT_DESKTOP='XFCE')
        self.portal(0)
        self.processes.append(xfconf_daemon.start_xfconfd(self, env))
        xfconf_daemon.set_xfce_theme(env, 'Greybird')
        self.host(env=env)
        self.assertTrue(self.color_becomes(BLACK), 'a light Xfce theme: black icon colors')
        xfconf_daemon.set_xfce_theme(env, 'Adwaita-dark')
        self.assertTrue(self.color_becomes(WHITE, limit=1.0), 'a dark one chosen while it runs: white')

    def test_a_named_panel_wins_over_the_desktop(self):
        self.portal(1)
        self.host('--panel', 'light')
        self.assertTrue(self.color_becomes(BLACK))
        old = subprocess.run([HOST, '--simulate', '57', '--once', '--png', self.root + '/old.png',
                              '--appearance', 'light'], env=self.env, capture_output=True, text=True)
        self.assertEqual(old.returncode, 0)
        self.assertIn('--appearance light is --panel dark', old.stderr)
        self.assertEqual(first_pixel(self.root + '/old.png'), WHITE)


if __name__ == '__main__':
    unittest.main(verbosity=2)
