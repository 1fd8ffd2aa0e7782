"""A small AT-SPI client over the gdbus command line tool.

Reads what a screen reader reads: names, roles, texts and screen extents of
a running program's accessible objects. Only the standard library and gdbus
(libglib2.0-bin) are needed.
"""

import ast
import re
import subprocess

_TYPE_WORDS = re.compile(r"^(objectpath|signature|uint32|int32|uint64|int64|uint16|int16|byte|double|handle)\s")


def _gvariant_to_python(text):
    """Turns gdbus's GVariant text into a Python literal and evaluates it."""
    out = []
    i = 0
    while i < len(text):
        c = text[i]
        if c in "'\"":
            # A quoted string, copied as it is: gdbus escapes like Python does.
            j = i + 1
            while text[j] != c:
                j += 2 if text[j] == "\\" else 1
            out.append(text[i:j + 1])
            i = j + 1
            continue
        if c == "@":  # a type annotation before an empty container
            while text[i] != " ":
                i += 1
            continue
        m = _TYPE_WORDS.match(text[i:])
        if m and (i == 0 or not text[i - 1].isalnum()):
            i += len(m.group(0))
            continue
        if c in "<>":  # variant brackets
            i += 1
            continue
        if text.startswith("true", i):
            out.append("True")
            i += 4
            continue
        if text.startswith("false", i):
            out.append("False")
            i += 5
            continue
        out.append(c)
        i += 1
    return ast.literal_eval("".join(out))


class Bus:
    def __init__(self, address):
        self.address = address

    def call(self, dest, path, method, *args, timeout=10):
        cmd = ["gdbus", "call", "--address", self.address, "--dest", dest,
               "--object-path", path, "--method", method] + [str(a) for a in args]
        done = subprocess.run(cmd, capture_output=True, text=True, timeout=timeout)
        if done.returncode != 0:
            raise RuntimeError("%s on %s failed: %s" % (method, path, done.stderr.strip()))
        return _gvariant_to_python(done.stdout.strip())


def a11y_address():
    """The accessibility bus of the current session (starting it if need be)."""
    done = subprocess.run(["gdbus", "call", "--session", "--dest", "org.a11y.Bus",
                           "--object-path", "/org/a11y/bus", "--method", "org.a11y.Bus.GetAddress"],
                          capture_output=True, text=True, timeout=20)
    if done.returncode != 0:
        raise RuntimeError("no accessibility bus: " + done.stderr.strip())
    return _gvariant_to_python(done.stdout.strip())[0]


class Node:
    """One accessible object."""

    def __init__(self, bus, dest, path):
        self.bus, self.dest, self.path = bus, dest, path

    def _prop(self, name):
        return self.bus.call(self.dest, self.path, "org.freedesktop.DBus.Properties.Get",
                             "org.a11y.atspi.Accessible", name)[0]

    @property
    def name(self):
        return self._prop("Name")

    @property
    def description(self):
        return self._prop("Description")

    @property
    def role(self):
        return self.bus.call(self.dest, self.path, "org.a11y.atspi.Accessible.GetRoleName")[0]

    def states(self):
        """The raw AT-SPI state bits, two 32-bit words."""
        return self.bus.call(self.dest, self.path, "org.a11y.atspi.Accessible.GetState")[0]

    def has_state(self, bit):
        words = self.states()
        return bool(words[bit // 32] & (1 << (bit % 32)))

    def children(self):
        found = self.bus.call(self.dest, self.path, "org.a11y.atspi.Accessible.GetChildren")[0]
        return [Node(self.bus, d, p) for d, p in found]

    def text(self):
        return self.bus.call(self.dest, self.path, "org.a11y.atspi.Text.GetText", "int32 0", "int32 -1")[0]

    def actions(self):
        """The names of the actions a screen reader can do on this object."""
        found = self.bus.call(self.dest, self.path, "org.a11y.atspi.Action.GetActions")[0]
        return [action[0] for action in found]

    def start_action(self, name):
        """Starts the named action and returns the running gdbus call. The call
        is not waited for: an action that opens a modal box is answered only
        when the box closes."""
        index = self.actions().index(name)
        return subprocess.Popen(["gdbus", "call", "--address", self.bus.address, "--dest", self.dest,
                                 "--object-path", self.path, "--method", "org.a11y.atspi.Action.DoAction",
                                 "int32 %d" % index], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def extents(self):
        """Left, top, width and height on the screen."""
        return self.bus.call(self.dest, self.path, "org.a11y.atspi.Component.GetExtents", "uint32 0")[0]

    def centre(self):
        x, y, w, h = self.extents()
        return x + w // 2, y + h // 2

    def walk(self, depth=12):
        yield self
        if depth > 0:
            for child in self.children():
                yield from child.walk(depth - 1)

    def find(self, name, role=None):
        for node in self.walk():
            if node.name == name and (role is None or node.role == role):
                return node
        return None

    def __repr__(self):
        return "<%s %r>" % (self.path, self.name)


# AT-SPI state bits used here.
STATE_ENABLED = 8
STATE_FOCUSED = 12
STATE_SHOWING = 25
STATE_VISIBLE = 30


def application(bus, name):
    """The accessible root of the running application called name, or None."""
    root = Node(bus, "org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root")
    for app in root.children():
        try:
            if app.name == name:
                return app
        except RuntimeError:
            continue  # an application that went away meanwhile
    return None
