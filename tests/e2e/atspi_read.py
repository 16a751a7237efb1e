"""Reads Brolga's Repayment screen through AT-SPI, as a screen reader would, and types into it.

Finds the hero figure by its accessible name ("Monthly repayment"), the loan amount field by its accessible
name ("Loan amount"), types twice the amount into that field and checks that the figure read again has
doubled (a repayment is proportional to the amount borrowed), finds the "P & I" pill and steps the term's
spin button. Then finds the header's client control and the All clients window that Ctrl+O opens, each
control by its accessible name. Last, opens Settings with the header's button and toggles "Open at login"
with the reader's Toggle action, on and off: the autostart entry comes and goes with it. Run by atspi.sh
inside its own X server and bus.
"""

import os
import re
import subprocess
import sys
import time

import pyatspi

HERO = "Monthly repayment"
FIELD = "Loan amount"


def fail(message):
    print(f"FAIL: {message}")
    sys.exit(1)


def wait_for(seconds, probe):
    deadline = time.monotonic() + seconds
    while True:
        result = probe()
        if result or time.monotonic() > deadline:
            return result
        time.sleep(0.2)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and (app.name or "").lower() == "brolga":
            return app
    return None


def find(app, name, role):
    return pyatspi.findDescendant(app, lambda o: o is not None and o.name == name and o.getRoleName() == role)


def text_of(obj):
    text = obj.queryText()
    return text.getText(0, text.characterCount)


def press(obj, action):
    actions = obj.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i) == action:
            actions.doAction(i)
            return
    fail(f"{obj.name!r} has no {action!r} action")


def dollars(shown):
    match = re.search(r"\$([\d,]+(?:\.\d+)?)", shown)
    if not match:
        fail(f"no dollar figure in {shown!r}")
    return float(match.group(1).replace(",", ""))


app = wait_for(20, application)
if not app:
    fail("no application named Brolga on the accessibility bus")

hero = wait_for(10, lambda: find(app, HERO, "label"))
if not hero:
    fail(f"no label named {HERO!r}")
before = text_of(hero)
if not before.endswith(" per month"):
    fail(f"{HERO!r} reads {before!r}, not a figure per month")
print(f"ok: {HERO!r} reads {before!r}")

field = find(app, FIELD, "text")
if not field:
    fail(f"no text field named {FIELD!r}")
amount = dollars("$" + text_of(field))
print(f"ok: {FIELD!r} reads {text_of(field)!r}")

# Focus by accessibility, then type as the user would.
field.queryComponent().grabFocus()
if not wait_for(5, lambda: field.getState().contains(pyatspi.STATE_FOCUSED)):
    fail(f"{FIELD!r} did not take the focus")
subprocess.run(["xdotool", "key", "--clearmodifiers", "ctrl+a"], check=True)
subprocess.run(["xdotool", "type", "--delay", "30", str(int(amount * 2))], check=True)
subprocess.run(["xdotool", "key", "Tab"], check=True)

expected = dollars(before) * 2
after = wait_for(10, lambda: (lambda now: now if now != before else None)(text_of(hero)))
if not after:
    fail(f"{HERO!r} still reads {before!r} after typing {int(amount * 2)}")
if abs(dollars(after) - expected) > 0.011:
    fail(f"{HERO!r} reads {after!r} after doubling the amount; expected about ${expected:,.2f}")
print(f"ok: typed {int(amount * 2)} into {FIELD!r}; {HERO!r} now reads {after!r}")

# A picker's pill is named as it reads, ampersand and all.
if not find(app, "P & I", "radio button"):
    fail("no radio button named 'P & I'")

# The term's stepper: a spin button named after its field, stepped by the reader's own Increase action.
stepper = find(app, "Term (years)", "spin button")
if not stepper:
    fail("no spin button named 'Term (years)'")
value = stepper.queryValue()
if (value.minimumValue, value.maximumValue) != (1, 50):
    fail(f"'Term (years)' runs from {value.minimumValue} to {value.maximumValue}, not from 1 to 50")
term = value.currentValue
press(stepper, "Increase")
if not wait_for(5, lambda: stepper.queryValue().currentValue == term + 1 and text_of(stepper) == f"{term + 1:g}"):
    fail(f"Increase on 'Term (years)' left it at {stepper.queryValue().currentValue} ({text_of(stepper)!r})")
print(f"ok: the 'Term (years)' spin button runs from 1 to 50; the reader's Increase stepped it from {term:g} to {term + 1:g}")

# The open client's name in the header, and the All clients window Ctrl+O opens.
client = wait_for(5, lambda: pyatspi.findDescendant(app, lambda o: o is not None and o.name == "No client"))
if not client:
    fail("no header control named 'No client'")
print(f"ok: the header's client control reads 'No client' as a {client.getRoleName()!r}")
subprocess.run(["xdotool", "key", "--clearmodifiers", "ctrl+o"], check=True)
search = wait_for(10, lambda: find(app, "Search clients", "text"))
if not search:
    fail("Ctrl+O brought no text field named 'Search clients'")
listing = find(app, "Clients", "list")
if not listing:
    fail("the All clients window has no list named 'Clients'")
buttons = [b.name for b in pyatspi.findAllDescendants(app, lambda o: o is not None and o.getRoleName() == "push button")]
for needed in ("Open", "Rename\u2026", "Duplicate", "Delete"):
    if needed not in buttons:
        fail(f"the All clients window has no button named {needed!r} (buttons: {buttons})")
print("ok: Ctrl+O opened All clients: a 'Search clients' field, a 'Clients' list and its buttons")

# Settings by the header's button, then "Open at login" flipped by the reader's own Toggle action.
gear = pyatspi.findDescendant(app, lambda o: o is not None and (o.name or "").startswith("Settings ("))
if not gear:
    fail("no header button named 'Settings (...)'")
press(gear, "Press")
login = wait_for(10, lambda: find(app, "Open at login", "check box"))
if not login:
    fail("Settings brought no check box named 'Open at login'")
entry = os.path.join(os.environ["XDG_CONFIG_HOME"], "autostart", "brolga.desktop")
for on in (True, False):
    press(login, "Toggle")
    if not wait_for(5, lambda: os.path.exists(entry) == on):
        fail(f"Toggle on 'Open at login' left {entry} {'missing' if on else 'in place'}")
    if login.getState().contains(pyatspi.STATE_CHECKED) != on:
        fail(f"'Open at login' reads {'unchecked' if on else 'checked'} after Toggle")
print("ok: the reader's Toggle on 'Open at login' wrote and then removed the autostart entry")
