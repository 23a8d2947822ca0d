'''A stand-in for systemd's manager on a private bus: units with a load state and an active
state, start and stop jobs that pass through the pending states for a set time, and requests
that can be made to fail with a given D-Bus error.
'''

import dbus
from gi.repository import GLib

from dbusmock import MOCK_IFACE, mockobject

BUS_NAME = 'org.freedesktop.systemd1'
MAIN_OBJ = '/org/freedesktop/systemd1'
MAIN_IFACE = 'org.freedesktop.systemd1.Manager'
UNIT_IFACE = 'org.freedesktop.systemd1.Unit'
SYSTEM_BUS = True

NO_JOB = dbus.Struct((dbus.UInt32(0), dbus.ObjectPath('/')), signature='uo')


def load(mock, _parameters):
    mock.units = {}       # name -> object path
    mock.job_ms = {}      # name -> how long its jobs take
    mock.next_job_id = 1
    mock.refusal = ''
    mock.AddProperties(MAIN_IFACE, {'Version': 'v252'})


def unit_object(mock, name):
    if str(name) not in mock.units:
        raise dbus.exceptions.DBusException(f'Unit {name} not loaded.',
                                            name='org.freedesktop.systemd1.NoSuchUnit')
    return mockobject.objects[mock.units[str(name)]]


def set_state(unit, active, sub, job=NO_JOB):
    # Set directly: this dbusmock cannot announce a changed structure.
    unit.props[UNIT_IFACE]['Job'] = job
    unit.UpdateProperties(UNIT_IFACE, {'ActiveState': dbus.String(active),
                                       'SubState': dbus.String(sub)})


def queue_job(mock, name, pending, pending_sub, done, done_sub):
    if mock.refusal:
        raise dbus.exceptions.DBusException('Refused.', name=mock.refusal)
    unit = unit_object(mock, name)
    job_id = mock.next_job_id
    mock.next_job_id += 1
    job_path = f'{MAIN_OBJ}/job/{job_id}'
    set_state(unit, pending, pending_sub,
              dbus.Struct((dbus.UInt32(job_id), dbus.ObjectPath(job_path)), signature='uo'))

    def finish():
        set_state(unit, done, done_sub)
        return False

    GLib.timeout_add(mock.job_ms[str(name)], finish)
    return job_path


@dbus.service.method(MAIN_IFACE, in_signature='s', out_signature='o')
def LoadUnit(self, name):
    unit_object(self, name)
    return self.units[str(name)]


@dbus.service.method(MAIN_IFACE, in_signature='ss', out_signature='o')
def StartUnit(self, name, _mode):
    return queue_job(self, name, 'activating', 'start', 'active', 'running')


@dbus.service.method(MAIN_IFACE, in_signature='ss', out_signature='o')
def StopUnit(self, name, _mode):
    return queue_job(self, name, 'deactivating', 'stop', 'inactive', 'dead')


@dbus.service.method(MOCK_IFACE, in_signature='ssssu')
def AddMockUnit(self, name, load_state, active, sub, job_ms):
    path = f'{MAIN_OBJ}/unit/' + ''.join(c if c.isalnum() else '_' for c in name)
    self.units[str(name)] = path
    self.job_ms[str(name)] = int(job_ms)
    self.AddObject(path, UNIT_IFACE, {
        'Id': dbus.String(name), 'LoadState': dbus.String(load_state),
        'ActiveState': dbus.String(active), 'SubState': dbus.String(sub), 'Job': NO_JOB}, [])


@dbus.service.method(MOCK_IFACE, in_signature='sss')
def SetUnitState(self, name, active, sub):
    set_state(unit_object(self, name), active, sub)


@dbus.service.method(MOCK_IFACE, in_signature='s')
def RefuseRequests(self, error_name):
    self.refusal = str(error_name)
