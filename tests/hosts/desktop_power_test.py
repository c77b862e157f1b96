#!/usr/bin/python3
"""The status-bar host against UPower, power-profiles-daemon and a notification
server, each python-dbusmock's template on private system and session buses."""

import os
import queue
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import unittest

import dbus
import dbusmock

HOST = os.environ.get('STATUSBAR_BINARY', 'ampora-statusbar')
DEVICE = 'org.freedesktop.UPower.Device'
DISPLAY = '/org/freedesktop/UPower/devices/DisplayDevice'
BLOCK_THEME = ("(c,g,l,m,e){var f=document.createElement('canvas');f.width=30;f.height=c;"
               "var a=f.getContext('2d');a.fillStyle='rgb('+e.join()+')';a.fillRect(0,0,f.width,c);"
               "return f.toDataURL('image/png')}")


class Host:
    """The host with its waybar lines collected as they come."""

    def __init__(self, args, env):
        self.lines = queue.Queue()
        self.proc = subprocess.Popen([HOST, '--waybar'] + args, env=env, stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL, text=True)
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.proc.stdout:
            self.lines.put((time.monotonic(), line.strip()))

    def wait_for(self, text, limit=5.0):
        """The first line holding `text` and when it came, or (None, None)."""
        end = time.monotonic() + limit
        while time.monotonic() < end:
            try:
                at, line = self.lines.get(timeout=max(0.01, end - time.monotonic()))
            except queue.Empty:
                break
            if text in line:
                return at, line
        return None, None

    def stop(self):
        self.proc.terminate()
        self.proc.wait(5)


class DesktopPower(dbusmock.DBusTestCase):
    @classmethod
    def setUpClass(cls):
        cls.start_system_bus()
        cls.start_session_bus()
        cls.system = cls.get_dbus(system_bus=True)

    def setUp(self):
        self.root = tempfile.mkdtemp(prefix='ampora-power-')
        self.env = dict(os.environ, AMPORA_PREFERENCES=self.root + '/prefs')
        os.makedirs(self.root + '/prefs/Ampora')
        os.makedirs(self.root + '/ps/BAT0')
        self.supply('BAT0', type='Battery', capacity='40', status='Discharging')
        self.servers = []
        self.hosts = []

    def tearDown(self):
        for host in self.hosts:
            host.stop()
        for server in self.servers:
            if server.poll() is None:
                server.terminate()
                server.wait()
        shutil.rmtree(self.root)

    def supply(self, name, **files):
        for key, value in files.items():
            with open(f'{self.root}/ps/{name}/{key}', 'w') as f:
                f.write(value + '\n')

    def themed(self, low_level=20):
        with open(self.root + '/prefs/Ampora/Ampora Connect.js', 'w') as f:
            f.write(BLOCK_THEME)
        with open(self.root + '/prefs/com.kelvary.ampora.plist', 'w') as f:
            f.write('<?xml version="1.0" encoding="UTF-8"?>\n<plist version="1.0"><dict>'
                    f'<key>enabled</key><true/><key>lowLevel</key><integer>{low_level}</integer></dict></plist>\n')

    def upower(self, percentage, state, to_empty=0, to_full=0, on_battery=True):
        server, obj = self.spawn_server_template('upower', {'OnBattery': on_battery}, stdout=subprocess.DEVNULL)
        self.servers.append(server)
        obj.SetupDisplayDevice(2, state, percentage, 30.0, 50.0, 10.0, to_empty, to_full, True, '', 1,
                               dbus_interface=dbusmock.MOCK_IFACE)
        return server, obj

    def display(self, **properties):
        mock = dbus.Interface(self.system.get_object('org.freedesktop.UPower', '/org/freedesktop/UPower'),
                              dbusmock.MOCK_IFACE)
        values = {k: (dbus.Int64(v) if k.startswith('Time') else dbus.UInt32(v) if k == 'State' else v)
                  for k, v in properties.items()}
        mock.SetDeviceProperties(DISPLAY, dbus.Dictionary(values, signature='sv'))

    def host(self, *args):
        host = Host(['--power-supply', self.root + '/ps', '--png', self.root + '/battery.png'] + list(args), self.env)
        self.hosts.append(host)
        return host

    def test_display_device_reaches_icon_tooltip_and_waybar_and_follows_its_changes(self):
        self.upower(57.0, 2, to_empty=7800)
        host = self.host('--no-notify')
        _, line = host.wait_for('"percentage": 57')
        self.assertIsNotNone(line, 'the display device, not the 40 % of sysfs')
        self.assertIn('"tooltip": "Battery 57 %, 2 h 10 min left"', line)
        self.assertIn('"time": "2 h 10 min left"', line)
        self.assertIn('"power": 10.0', line)
        end = time.monotonic() + 2
        while not os.path.exists(self.root + '/battery.png') and time.monotonic() < end:
            time.sleep(0.02)
        self.assertTrue(os.path.exists(self.root + '/battery.png'), 'the icon')

        sent = time.monotonic()
        self.display(State=1, TimeToFull=3900)
        at, line = host.wait_for('"charging"')
        self.assertIsNotNone(line)
        print(f'charging redrawn {1000 * (at - sent):.0f} ms after the change', file=sys.stderr)
        self.assertLess(at - sent, 0.2)
        self.assertIsNotNone(host.wait_for('"time": "1 h 5 min to full"')[1])

        self.display(State=4, Percentage=100.0)
        self.assertIsNotNone(host.wait_for('"percentage": 100')[1], 'fully charged while on battery is not "full"')

    def test_no_battery_on_the_display_device_is_mains_power(self):
        _, obj = self.upower(0.0, 0, on_battery=False)
        obj.SetupDisplayDevice(0, 0, 0.0, 0.0, 0.0, 0.0, 0, 0, False, '', 1, dbus_interface=dbusmock.MOCK_IFACE)
        _, line = self.host('--no-notify').wait_for('"ac"')
        self.assertIsNotNone(line)
        self.assertIn('"text": "on mains power"', line)

    def test_power_saver_profile_gives_the_low_power_colors(self):
        self.themed()
        reference = self.root + '/reference.png'
        subprocess.run([HOST, '--once', '--simulate', '57:lpm', '--png', reference], env=self.env, check=True,
                       stderr=subprocess.DEVNULL)
        self.upower(57.0, 2)
        server, ppd = self.spawn_server_template('power_profiles_daemon', {}, stdout=subprocess.DEVNULL)
        self.servers.append(server)
        host = self.host('--no-notify')
        self.assertIsNotNone(host.wait_for('"percentage": 57')[1])
        ppd.Set('net.hadess.PowerProfiles', 'ActiveProfile', 'power-saver',
                dbus_interface='org.freedesktop.DBus.Properties')
        self.assertIsNotNone(host.wait_for('"low-power"')[1])
        with open(reference, 'rb') as a:
            want = a.read()
        end = time.monotonic() + 5
        while time.monotonic() < end:
            with open(self.root + '/battery.png', 'rb') as b:
                if b.read() == want:
                    break
            time.sleep(0.05)
        else:
            self.fail('the icon never took the low-power colors')

    def test_falling_to_the_low_level_notifies_once_and_plugging_in_closes_it(self):
        self.themed(low_level=20)
        server, notices = self.spawn_server_template('notification_daemon', {}, stdout=subprocess.DEVNULL)
        self.servers.append(server)
        self.upower(25.0, 2)
        host = self.host()
        self.assertIsNotNone(host.wait_for('"percentage": 25')[1])
        for level in (20.0, 15.0, 12.0):
            self.display(Percentage=level)
            self.assertIsNotNone(host.wait_for(f'"percentage": {int(level)}')[1])
        time.sleep(0.3)

        def calls(method):
            return [c for c in notices.GetCalls(dbus_interface=dbusmock.MOCK_IFACE) if c[1] == method]
        notified = calls('Notify')
        self.assertEqual(len(notified), 1, 'one notice for one discharge')
        self.assertEqual(str(notified[0][2][3]), 'Battery low: 20 % left')
        self.assertIn('image-data', notified[0][2][6], 'the themed icon as its image')

        self.display(State=1)
        self.assertIsNotNone(host.wait_for('"charging"')[1])
        end = time.monotonic() + 3
        while not calls('CloseNotification') and time.monotonic() < end:
            time.sleep(0.05)
        self.assertEqual(len(calls('CloseNotification')), 1, 'plugging in closes the notice')

    def test_a_missing_notification_server_and_a_departing_daemon_stall_nothing(self):
        server, _ = self.upower(15.0, 2)
        host = self.host()  # notices on, and no server to take them
        self.assertIsNotNone(host.wait_for('"percentage": 15', limit=3)[1])
        server.terminate()
        server.wait()
        _, line = host.wait_for('"percentage": 40', limit=3)
        self.assertIsNotNone(line, 'sysfs takes over when UPower leaves')
        self.supply('BAT0', capacity='38')
        self.assertIsNone(host.proc.poll())

        self.upower(70.0, 2)
        _, line = host.wait_for('"percentage": 70', limit=3)
        self.assertIsNotNone(line, 'and UPower again when it is back')

    def test_a_daemon_that_never_answers_is_given_up(self):
        # A name owned by a process that is stopped: calls to it are never answered.
        server, _ = self.upower(57.0, 2)
        os.kill(server.pid, 19)
        try:
            started = time.monotonic()
            done = subprocess.run([HOST, '--once', '--waybar', '--power-supply', self.root + '/ps'], env=self.env,
                                  capture_output=True, text=True, timeout=10)
            self.assertLess(time.monotonic() - started, 4)
            self.assertIn('"percentage": 40', done.stdout)
        finally:
            os.kill(server.pid, 18)


if __name__ == '__main__':
    unittest.main(testRunner=unittest.TextTestRunner(stream=sys.stdout, verbosity=2))
