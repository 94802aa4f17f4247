#!/usr/bin/env python3
"""Writes the program's picture set: one small SVG per picture into
ui/pictures/, and the Qt resource file that compiles them into the program.

The pictures share the designer's symbol style: dark outlines on a light blue
fill, one blue accent, green for "new" and "run", red for "delete" and faults,
blue arrows for the transfers (up: from the device, down: to the device).
Every picture is drawn on a 16 x 16 grid, the frames of the animations on
the canvas they are shown at; SVG keeps them sharp at any scale.

Run it after changing a picture:  python3 scripts/make-pictures.py
"""

import os

INK = "#282828"
FILL = "#ebf0f8"
ACCENT = "#005aaa"
GREEN = "#2e8b3a"
RED = "#c0392b"
YELLOW = "#f0c040"
GREY = "#8c8c8c"
PAPER = "#ffffff"


# --- primitives -------------------------------------------------------------

def rect(x, y, w, h, fill=FILL, stroke=INK, rx=0):
    r = f' rx="{rx}"' if rx else ""
    return f'<rect x="{x}" y="{y}" width="{w}" height="{h}"{r} fill="{fill}" stroke="{stroke}"/>'


def poly(points, fill=FILL, stroke=INK):
    pts = " ".join(f"{x},{y}" for x, y in points)
    return f'<polygon points="{pts}" fill="{fill}" stroke="{stroke}" stroke-linejoin="round"/>'


def line(x1, y1, x2, y2, stroke=INK, width=1):
    return f'<line x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}" stroke="{stroke}" stroke-width="{width}"/>'


def circle(cx, cy, r, fill=FILL, stroke=INK):
    return f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="{fill}" stroke="{stroke}"/>'


def path(d, fill="none", stroke=INK, width=1):
    return f'<path d="{d}" fill="{fill}" stroke="{stroke}" stroke-width="{width}" stroke-linejoin="round"/>'


def text(x, y, s, size=6, fill=ACCENT):
    return (f'<text x="{x}" y="{y}" font-family="DejaVu Sans" font-weight="bold" font-size="{size}" '
            f'fill="{fill}" text-anchor="middle">{s}</text>')


def group(items, dx=0, dy=0, scale=1):
    return f'<g transform="translate({dx},{dy}) scale({scale})">' + "".join(items) + "</g>"


# --- things -----------------------------------------------------------------

def amplifier(channels=0):
    parts = [poly([(2.5, 2.5), (13.5, 8), (2.5, 13.5)])]
    if channels:
        parts.append(text(6.5, 10.5, str(channels), 6))
    return parts


def speaker():  # a zone: a loudspeaker with its sound
    return [poly([(1.5, 6), (4.5, 6), (8.5, 2.5), (8.5, 13.5), (4.5, 10), (1.5, 10)]),
            path("M10.5,5.5 Q12.5,8 10.5,10.5"), path("M12,3.5 Q15.5,8 12,12.5")]


def zones():  # a group: speakers behind each other
    return [group(speaker(), 3, 0, 0.8), group(speaker(), 0, 3.5, 0.8)]


def page(lines=3):
    parts = [poly([(3.5, 1.5), (10.5, 1.5), (12.5, 3.5), (12.5, 14.5), (3.5, 14.5)], PAPER)]
    for i in range(lines):
        parts.append(line(5, 5.5 + 2.5 * i, 11, 5.5 + 2.5 * i, GREY))
    return parts


def device():  # the matrix device: a rack unit with its lights
    return [rect(1.5, 4.5, 13, 7), line(3, 8, 8, 8, GREY), circle(10.5, 8, 1, GREEN), circle(12.5, 8, 1, YELLOW)]


def console():  # a desk microphone console
    return [rect(1.5, 9.5, 13, 5, rx=1), line(8, 9.5, 8, 5), rect(6.5, 1.5, 3, 4, rx=1.5),
            rect(3.5, 11.5, 2, 1, ACCENT, ACCENT), rect(7, 11.5, 2, 1, ACCENT, ACCENT), rect(10.5, 11.5, 2, 1, ACCENT, ACCENT)]


def card():  # a plug-in card with its contacts
    parts = [rect(3.5, 1.5, 9, 13), rect(5.5, 3.5, 5, 3, ACCENT, ACCENT)]
    for i in range(4):
        parts.append(line(1, 8 + 2 * i, 3.5, 8 + 2 * i))
    return parts


def relay():  # a coil, the switch it moves and the link between them
    return [rect(1.5, 4.5, 5, 7), line(2.5, 10.5, 5.5, 5.5),
            '<line x1="6.5" y1="8" x2="12" y2="8" stroke="#8c8c8c" stroke-dasharray="1.5,1"/>',
            line(8, 12.5, 10, 12.5), line(10, 12.5, 14, 7), line(14, 12.5, 15.5, 12.5), circle(10, 12.5, 0.8, INK)]


def slot():
    return [rect(1.5, 2.5, 13, 11), rect(3.5, 5.5, 9, 2, PAPER), rect(3.5, 9.5, 9, 2, PAPER)]


def clock():
    return [circle(8, 8, 6.5, PAPER), line(8, 8, 8, 4), line(8, 8, 11, 8), circle(8, 8, 0.6, INK)]


def calendar_sheet(field):  # a calendar sheet with a picture in its field
    return [rect(1.5, 2.5, 13, 12, PAPER), rect(1.5, 2.5, 13, 3, ACCENT), line(4.5, 1, 4.5, 4),
            line(11.5, 1, 11.5, 4)] + field


def calendar(mark=""):
    # A mark in the sheet's field is a digit, never a letter: a letter would
    # speak one language only. Without a mark the field is the grid of days.
    if mark:
        return calendar_sheet([text(8, 13, mark, 7)])
    return calendar_sheet([rect(x - 1, y - 0.5, 1.5, 1.5, GREY, "none") for y in (8, 11) for x in (4, 7, 10, 13)])


def sun(cx, cy):  # the day: a sun with its rays
    import math
    parts = [circle(cx, cy, 2, YELLOW, INK)]
    for k in range(8):
        a = math.radians(45 * k)
        parts.append(line(round(cx + 3 * math.cos(a), 2), round(cy + 3 * math.sin(a), 2),
                          round(cx + 4.2 * math.cos(a), 2), round(cy + 4.2 * math.sin(a), 2), INK))
    return parts


def star(cx, cy, outer, inner, colour):  # a five-pointed star, point up
    import math
    points = []
    for k in range(10):
        r = outer if k % 2 == 0 else inner
        a = math.radians(-90 + 36 * k)
        points.append((round(cx + r * math.cos(a), 2), round(cy + r * math.sin(a), 2)))
    return [poly(points, colour, colour)]


def diamond(fill=FILL):
    return [poly([(8, 1.5), (14.5, 8), (8, 14.5), (1.5, 8)], fill)]


def bolt():
    return [poly([(9, 1), (4, 9), (7.5, 9), (6, 15), (12, 6.5), (8.5, 6.5)], YELLOW)]


def flag(colour=RED):
    return [line(4, 1.5, 4, 14.5), poly([(4, 2), (13, 4.5), (4, 7.5)], colour)]


def warning():
    return [poly([(8, 1.5), (15, 14), (1, 14)], YELLOW), line(8, 5.5, 8, 10, INK, 1.5), circle(8, 12, 0.6, INK)]


def gate():  # a logic gate with two inputs and one output
    return [path("M4.5,3.5 H8.5 A4.5,4.5 0 0 1 8.5,12.5 H4.5 Z", FILL), line(1, 6, 4.5, 6), line(1, 10, 4.5, 10),
            line(13, 8, 15.5, 8), text(8, 10.5, "&amp;", 6)]


def knob():  # a virtual controller: a knob with its scale
    return [path("M3,12 A6,6 0 1 1 13,12", "none", GREY), circle(8, 8.5, 4, FILL), line(8, 8.5, 5.5, 5.5, ACCENT, 1.5)]


def fuse():
    return [rect(2.5, 5.5, 11, 5, PAPER), line(0.5, 8, 2.5, 8), line(13.5, 8, 15.5, 8), path("M4,8 Q6,6 8,8 T12,8", "none", RED)]


def battery():
    return [rect(1.5, 4.5, 12, 7), rect(13.5, 6.5, 2, 3, INK), rect(3, 6, 3, 4, GREEN, "none"), rect(6.5, 6, 3, 4, GREEN, "none")]


def tape():  # the message recorder: a cassette
    return [rect(1.5, 3.5, 13, 9, rx=1), circle(5, 7.5, 1.8, PAPER), circle(11, 7.5, 1.8, PAPER), rect(4.5, 10.5, 7, 2)]


def book():  # the event log
    return [rect(2.5, 1.5, 10, 13, PAPER), line(4.5, 1.5, 4.5, 14.5), line(6.5, 5, 11, 5, GREY), line(6.5, 7.5, 11, 7.5, GREY),
            line(6.5, 10, 11, 10, GREY)]


def meter():  # a measuring gauge
    return [path("M2,12 A6,6 0 0 1 14,12 Z", PAPER), line(8, 12, 11, 7, RED), circle(8, 12, 0.8, INK)]


def tone_generator():  # the pilot tone: a sine on the generator's screen
    return [rect(1.5, 3.5, 13, 9, PAPER, INK, 1), path("M3,8 Q4.5,4 6,8 T9,8 T12,8", "none", ACCENT, 1.5),
            line(12, 8, 13, 8, ACCENT, 1.5)]


def faders():  # the volumes: three sliders at their levels
    parts = []
    for x, y in ((4, 9), (8, 4.5), (12, 7)):
        parts += [line(x, 1.5, x, 14.5, GREY, 1), rect(x - 1.5, y, 3, 2.5, ACCENT, INK, 0.5)]
    return parts


def chip():
    parts = [rect(4.5, 4.5, 7, 7, FILL)]
    for t in (6, 8, 10):
        parts += [line(t, 1.5, t, 4.5), line(t, 11.5, t, 14.5), line(1.5, t, 4.5, t), line(11.5, t, 14.5, t)]
    return parts


def bell():
    return [path("M3.5,11.5 C4,3 12,3 12.5,11.5 Z", YELLOW), line(2, 11.5, 14, 11.5), circle(8, 13, 1.2, INK)]


def siren():  # an alarm: a red beacon
    return [path("M4,12 V7 A4,4 0 0 1 12,7 V12 Z", RED), rect(2.5, 12.5, 11, 2, FILL), line(8, 0.5, 8, 2, RED),
            line(2, 3, 3.2, 4.2, RED), line(14, 3, 12.8, 4.2, RED)]


def speech():  # a spoken message
    return [path("M2.5,2.5 H13.5 V10.5 H7 L4,13.5 V10.5 H2.5 Z", PAPER), line(4.5, 5, 11.5, 5, GREY), line(4.5, 8, 9.5, 8, GREY)]


def headphones():  # the monitor: listening in
    return [path("M3,10 V8 A5,5 0 0 1 13,8 V10"), rect(1.5, 9.5, 3, 5, ACCENT, INK, 1), rect(11.5, 9.5, 3, 5, ACCENT, INK, 1)]


def plug():  # an input
    return [rect(5.5, 6.5, 7, 6, FILL, INK, 1), line(7.5, 3, 7.5, 6.5), line(10.5, 3, 10.5, 6.5), line(9, 12.5, 9, 15),
            line(0.5, 9.5, 5.5, 9.5, ACCENT, 1.5)]


def ready_input():  # an input that reports readiness: a plug with a tick
    return plug() + [path("M1,3 L3,5 L6,1", "none", GREEN, 1.5)]


def macro():  # a list of steps
    parts = [rect(2.5, 1.5, 11, 13, PAPER)]
    for i in range(4):
        parts += [circle(5, 4.5 + 2.7 * i, 0.7, ACCENT, ACCENT), line(7, 4.5 + 2.7 * i, 11.5, 4.5 + 2.7 * i, GREY)]
    return parts


def event():  # an appointment: a calendar page with a clock
    return calendar() + [group(clock(), 6, 6, 0.6)]


def hourglass():
    return [poly([(3.5, 1.5), (12.5, 1.5), (8, 8), (12.5, 14.5), (3.5, 14.5), (8, 8)], PAPER), poly([(6, 12.5), (10, 12.5), (8, 10)], YELLOW, "none")]


def wave():
    return [path("M1,8 Q3,2 5,8 T9,8 T13,8 T17,8", "none", ACCENT, 1.5)]


def folder(opened=False):
    if opened:
        return [path("M1.5,3.5 H6 L7.5,5 H12.5 V7", FILL), poly([(1.5, 13.5), (3.5, 7), (15, 7), (12.5, 13.5)], YELLOW)]
    return [path("M1.5,3.5 H6 L7.5,5 H14.5 V13.5 H1.5 Z", YELLOW)]


def leaf():
    return [poly([(3.5, 1.5), (10, 1.5), (12.5, 4), (12.5, 14.5), (3.5, 14.5)], PAPER)]


def drive(kind):
    if kind == "cd":
        return [circle(8, 8, 6.5, "#d8dce8"), circle(8, 8, 2, PAPER)]
    parts = [rect(1.5, 5.5, 13, 6, FILL, INK, 1), circle(12, 8.5, 0.8, GREEN, "none")]
    if kind == "removable":
        parts.append(line(3.5, 8.5, 9, 8.5, INK, 1.5))
    return parts


def magnifier():
    return [circle(5.5, 5.5, 3, PAPER), line(7.7, 7.7, 10.5, 10.5, INK, 2)]


def printer():
    return [rect(4.5, 1.5, 7, 4, PAPER), rect(1.5, 5.5, 13, 6, FILL), rect(4.5, 9.5, 7, 5, PAPER), circle(12.5, 7.5, 0.6, GREEN, "none")]


def disk():  # save
    return [path("M1.5,1.5 H12.5 L14.5,3.5 V14.5 H1.5 Z", ACCENT), rect(4.5, 1.5, 7, 4, PAPER), rect(3.5, 8.5, 9, 6, PAPER)]


def lan():
    return [rect(5.5, 1.5, 5, 4), rect(1.5, 10.5, 5, 4), rect(9.5, 10.5, 5, 4), path("M8,5.5 V8 M4,8 H12 M4,8 V10.5 M12,8 V10.5")]




def key_button():
    return [rect(2.5, 2.5, 11, 11, FILL, INK, 2), rect(5, 5, 6, 6, PAPER, GREY, 1)]


def info():
    return [circle(8, 8, 6.5, ACCENT), circle(8, 4.8, 1, PAPER, "none"), line(8, 7, 8, 12, PAPER, 2)]


def encoder():
    return [circle(8, 8, 6.5), circle(8, 8, 2.5, ACCENT)] + [line(8 + 4 * c, 8 + 4 * s, 8 + 6 * c, 8 + 6 * s) for c, s in ((1, 0), (0, 1), (-1, 0), (0, -1))]


def converter(label):  # a converter: a box with its direction
    return [rect(1.5, 3.5, 13, 9, PAPER), line(1.5, 12.5, 14.5, 3.5, GREY), text(5.5, 9.5 if label == "AD" else 11, label[0], 5),
            text(10.5, 11 if label == "AD" else 9.5, label[1], 5)]


def labelled_box(label):
    return [rect(1.5, 3.5, 13, 9, PAPER, INK, 1), text(8, 10.3, label, 5.5)]


def delay():
    return clock() + [path("M13,2 L15,2 L15,4", "none", ACCENT)]


def pad():  # a control pad: a contact with its terminal
    return [rect(2.5, 2.5, 11, 11, FILL), circle(8, 8, 3, GREEN)]


def free_input():
    return [rect(2.5, 2.5, 11, 11, PAPER, GREY), circle(8, 8, 3, PAPER, GREY)]




def play():
    return [poly([(4.5, 2.5), (13, 8), (4.5, 13.5)], GREEN)]


def record():
    return [circle(8, 8, 5.5, RED)]


def stop():
    return [rect(3.5, 3.5, 9, 9, INK, INK)]




def cross(colour=RED):
    return [line(3, 3, 13, 13, colour, 2.5), line(13, 3, 3, 13, colour, 2.5)]


def arrow(direction, colour=ACCENT):
    if direction == "up":
        return [poly([(8, 1), (14, 7.5), (10.5, 7.5), (10.5, 15), (5.5, 15), (5.5, 7.5), (2, 7.5)], colour, INK)]
    if direction == "down":
        return [poly([(8, 15), (14, 8.5), (10.5, 8.5), (10.5, 1), (5.5, 1), (5.5, 8.5), (2, 8.5)], colour, INK)]
    if direction == "left":
        return [poly([(1, 8), (7.5, 2), (7.5, 5.5), (15, 5.5), (15, 10.5), (7.5, 10.5), (7.5, 14)], colour, INK)]
    return [poly([(15, 8), (8.5, 2), (8.5, 5.5), (1, 5.5), (1, 10.5), (8.5, 10.5), (8.5, 14)], colour, INK)]




def refresh():
    return [path("M13,8 A5,5 0 1 1 11.5,4.5", "none", ACCENT, 2), poly([(10, 1.5), (14.5, 2.5), (12, 6.5)], ACCENT, ACCENT)]


def pencil():
    return [poly([(3, 13), (3.5, 10), (11.5, 2), (14, 4.5), (6, 12.5)], YELLOW), line(3, 13, 4.5, 11.5)]


def eye():
    return [path("M1,8 Q8,1 15,8 Q8,15 1,8 Z", PAPER), circle(8, 8, 2.5, ACCENT)]


def scissors():
    return [circle(4.5, 12, 2.2, PAPER), circle(11.5, 12, 2.2, PAPER), line(5.8, 10.2, 11, 1.5), line(10.2, 10.2, 5, 1.5)]


def clipboard():
    return [rect(2.5, 2.5, 11, 12.5, "#c8a064", INK, 1), rect(5.5, 1.5, 5, 2.5, GREY), rect(4.5, 5.5, 7, 8, PAPER, GREY)]


def modem():
    return [rect(1.5, 7.5, 13, 6, FILL, INK, 1), circle(4, 10.5, 0.8, GREEN, "none"), circle(6.5, 10.5, 0.8, YELLOW, "none"),
            path("M3,7.5 C3,2 13,2 13,7.5", "none", INK, 1.5)]


def plugs(joined):
    gap = 0 if joined else 3
    return [rect(1.5, 5.5, 5 - gap / 2, 5, FILL), line(0, 8, 1.5, 8, INK, 1.5),
            rect(9.5 + gap / 2, 5.5, 5 - gap / 2, 5, FILL), line(14.5, 8, 16, 8, INK, 1.5),
            line(6.5 - gap / 2, 6.5, 9.5 + gap / 2, 6.5, ACCENT if joined else GREY),
            line(6.5 - gap / 2, 9.5, 9.5 + gap / 2, 9.5, ACCENT if joined else GREY)]


def zoom(sign):
    parts = [circle(6.5, 6.5, 5, PAPER), line(10, 10, 15, 15, INK, 2.5), line(4, 6.5, 9, 6.5, ACCENT, 1.5)]
    if sign == "+":
        parts.append(line(6.5, 4, 6.5, 9, ACCENT, 1.5))
    return parts


# --- badges: a small sign in a corner of a thing ----------------------------

def badge_plus():
    return [circle(12, 12, 3.5, GREEN, PAPER), line(12, 10, 12, 14, PAPER, 1.5), line(10, 12, 14, 12, PAPER, 1.5)]


def badge_minus():
    return [circle(12, 12, 3.5, RED, PAPER), line(10, 12, 14, 12, PAPER, 1.5)]


def badge_up():
    return [poly([(12, 8.5), (15.5, 12.5), (13.5, 12.5), (13.5, 15.5), (10.5, 15.5), (10.5, 12.5), (8.5, 12.5)], ACCENT, PAPER)]


def badge_down():
    return [poly([(12, 15.5), (15.5, 11.5), (13.5, 11.5), (13.5, 8.5), (10.5, 8.5), (10.5, 11.5), (8.5, 11.5)], ACCENT, PAPER)]


def badge_find():
    return [group(magnifier(), 6, 6, 0.7)]


def badge_tick():
    return [circle(12, 12, 3.5, GREEN, PAPER), path("M10,12 L11.5,13.5 L14,10.5", "none", PAPER, 1.2)]


def badge_plus_small():
    return [line(12, 9.5, 12, 14.5, GREEN, 2), line(9.5, 12, 14.5, 12, GREEN, 2)]


def small(items):  # a thing shrunk into the upper left to make room for a badge
    return [group(items, 0, 0, 0.75)]


def with_badge(items, badge):
    return small(items) + badge


# --- the set ----------------------------------------------------------------

PICTURES = {
    # things shown in lists, trees and on buttons
    "amplifier": amplifier(),
    "amplifier-1": amplifier(1),
    "amplifier-2": amplifier(2),
    "amplifier-3": amplifier(3),
    "amplifier-4": amplifier(4),
    "zone": speaker(),
    "group": zones(),
    "object": [rect(2.5, 2.5, 11, 11, FILL), rect(5.5, 5.5, 5, 5, ACCENT, "none")],
    "none": [rect(2.5, 2.5, 11, 11, PAPER, GREY)],
    "device": device(),
    "console": console(),
    "card": card(),
    "card-output": with_badge(card(), badge_down()),
    "card-output-open": with_badge(card(), badge_down()) + [line(1, 14.5, 6, 14.5, ACCENT)],
    "card-input": with_badge(card(), badge_up()),
    "card-input-open": with_badge(card(), badge_up()) + [line(1, 14.5, 6, 14.5, ACCENT)],
    "card-analog": small(card()) + [group(wave(), 7, 9, 0.55)],
    "card-analog-open": small(card()) + [group(wave(), 7, 9, 0.55), line(1, 14.5, 6, 14.5, ACCENT)],
    "relay": relay(),
    "relay-mandatory": relay() + [circle(12.5, 3.5, 2.5, RED, "none")],
    "relay-control": relay() + [circle(12.5, 3.5, 2.5, GREEN, "none")],
    "relay-collective": relay() + [group(zones(), 9, 0, 0.45)],
    "zone-chosen": with_badge(speaker(), badge_tick()),
    "group-chosen": with_badge(zones(), badge_tick()),
    "zone-mandatory": speaker() + [circle(13.5, 13.5, 2.2, RED, "none")],
    "zone-control": speaker() + [circle(13.5, 13.5, 2.2, GREEN, "none")],
    "pad": pad(),
    "free-input": free_input(),
    "slot": slot(),
    "folder": folder(),
    "folder-open": folder(True),
    "leaf": leaf(),
    "drive": drive("fixed"),
    "drive-removable": drive("removable"),
    "drive-cd": drive("cd"),
    "info": info(),
    "macro": macro(),
    "alarm": siren(),
    "chime": bell(),
    "message": speech(),
    "monitor": headphones(),
    "ready-input": ready_input(),
    "input": plug(),
    "event": event(),
    "day-program": calendar_sheet(sun(8, 10.1)),  # the programme of one day
    "holiday": calendar_sheet(star(8, 10.3, 3.9, 1.6, RED)),  # a red-letter day
    "week": calendar("7"),
    "condition": diamond(),
    "condition-analog": diamond() + [group(wave(), 3, 5, 0.6)],
    "condition-combined": [group(diamond(), 0, 2, 0.75), group(diamond(), 4, 2, 0.75)],
    "condition-busy": diamond() + [circle(8, 8, 2.5, RED)],
    "trigger": bolt(),
    "memo-flag": flag(),
    "fault": warning(),
    "fault-text": small(warning()) + [line(9, 11, 15, 11, GREY), line(9, 13.5, 15, 13.5, GREY)],
    "logic": gate(),
    "controller": knob(),
    "encoder": encoder(),
    "converter-ad": converter("AD"),
    "converter-da": converter("DA"),
    "audio-in": labelled_box("IN"),
    "audio-out": labelled_box("OUT"),
    "amp-channel": small(amplifier()) + [text(12, 15, "1", 7)],
    "delay": delay(),
    "spare-amplifier": with_badge(amplifier(), badge_plus_small()),
    "lan-group": lan(),
    "lmz-carrier": small(card()) + [group(lan(), 7, 7, 0.55)],
    "key": key_button(),
    "chip": chip(),
    "fuse": fuse(),
    "power": battery(),
    "recorder": tape(),
    "event-log": book(),
    "zone-test": small(speaker()) + [group(meter(), 6, 5, 0.65)],
    "pilot-tone": tone_generator(),
    "volume": faders(),
    "lamp-ok": [circle(8, 8, 6.5, GREEN), circle(6, 6, 1.8, "#9be0a5", "none")],
    "lamp-fault": [circle(8, 8, 6.5, RED), circle(6, 6, 1.8, "#f0a49c", "none")],
    "connected": [circle(8, 8, 6.5, GREEN)],
    # commands
    "new": with_badge(page(0), badge_plus()),
    "new-project": page(0) + [path("M10.5,1.5 V3.5 H12.5", "none")],
    "print-setup": with_badge(printer(), [circle(12, 12, 3.5, GREY, PAPER), circle(12, 12, 1.2, PAPER, "none")]),
    "print-preview": with_badge(page(), badge_find()),
    "cut": scissors(),
    "copy": [group(page(), -1, -1, 0.8), group(page(), 3, 3, 0.8)],
    "paste": clipboard(),
    "connect-modem": modem(),
    "connect": plugs(True),
    "disconnect": plugs(False),
    "load-parameters": with_badge(device(), [group(page(), 8, 8, 0.5)]),
    "load-firmware": with_badge(chip(), badge_down()),
    "zoom-in": zoom("+"),
    "zoom-out": zoom("-"),
    "delete": cross(),
    "upload": with_badge(device(), badge_up()),
    "download": with_badge(device(), badge_down()),
    "run": play(),
    "save": disk(),
    "save-device": with_badge(device(), [group(disk(), 8, 8, 0.5)]),
    "print": printer(),
    "export": with_badge(page(), [group(arrow("right", GREEN), 8, 8, 0.5)]),
    "properties": page() + [group(pencil(), 5, 5, 0.7)],
    "refresh": refresh(),
    "live": eye(),
    "load-file": with_badge(page(), badge_up()),
    "save-file": with_badge(page(), [group(disk(), 8, 8, 0.5)]),
    "version": with_badge(chip(), [circle(12, 12, 3.5, ACCENT, PAPER), text(12, 14, "?", 5, PAPER)]),
    "scan-slots": with_badge(slot(), badge_find()),
    "scan-consoles": with_badge(console(), badge_find()),
    "scan-amplifiers": with_badge(amplifier(), badge_find()),
    "scan-cards": with_badge(card(), badge_find()),
    "range-keys": [group(key_button(), 0, 0, 0.6), group(key_button(), 6, 6, 0.6), line(8, 4, 12, 4, ACCENT, 1.5)],
    "clear-keys": with_badge(key_button(), [group(cross(), 8, 8, 0.5)]),
    "copy-keys": [group(key_button(), 0, 0, 0.7), group(key_button(), 5, 5, 0.7)],
    "print-console": with_badge(console(), [group(printer(), 8, 8, 0.5)]),
    "new-entry": with_badge(macro(), badge_plus()),
    "delete-entry": with_badge(macro(), badge_minus()),
    "new-relay": with_badge(relay(), badge_plus()),
    "delete-relay": with_badge(relay(), badge_minus()),
    "new-watch": with_badge(ready_input(), badge_plus()),
    "delete-watch": with_badge(ready_input(), badge_minus()),
    "previous": arrow("left"),
    "next": arrow("right"),
    "record": record(),
    "stop": stop(),
    "erase": with_badge(tape(), badge_minus()),
    "format": with_badge(tape(), [group(refresh(), 8, 8, 0.5)]),
    "recorder-info": with_badge(tape(), [circle(12, 12, 3.5, ACCENT, PAPER), text(12, 14.2, "i", 6, PAPER)]),
    "set-clock": clock() + [group(pencil(), 7, 7, 0.55)],
    "confirm": [path("M2.5,8.5 L6.5,12.5 L13.5,3.5", "none", GREEN, 3)],
    "set-slave-clock": with_badge(clock(), badge_down()),
    "signal-add": with_badge(wave(), badge_plus()),
    "signal-delete": with_badge(wave(), badge_minus()),
    "card-in": with_badge(card(), [group(arrow("left", GREEN), 8, 8, 0.5)]),
    "card-out": with_badge(card(), [group(arrow("right", RED), 8, 8, 0.5)]),
    "amp-remote": with_badge(amplifier(), [group(lan(), 8, 8, 0.5)]),
    "new-alarm": with_badge(siren(), badge_plus()),
    "new-chime": with_badge(bell(), badge_plus()),
    "new-message": with_badge(speech(), badge_plus()),
    # a hand that takes hold: the free lists' entries, the controller's knob
    "cursor-hand": [path("M4.5,9 V4 Q4.5,3 5.5,3 Q6.5,3 6.5,4 V8 V2.5 Q6.5,1.5 7.5,1.5 Q8.5,1.5 8.5,2.5 V8 V3 "
                         "Q8.5,2 9.5,2 Q10.5,2 10.5,3 V8.5 V4.5 Q10.5,3.5 11.5,3.5 Q12.5,3.5 12.5,4.5 V10.5 "
                         "Q12.5,14.5 8.5,14.5 Q6,14.5 4.5,12.5 L2,9.5 Q1.5,8.5 2.5,8 Q3.5,7.7 4.5,9 Z", PAPER, INK, 1)],
    # no drop here: the pointer of a drag outside the place it can end
    "cursor-no-drop": [circle(8, 8, 6, PAPER, INK), circle(8, 8, 4.75, "none", RED).replace("/>", ' stroke-width="2"/>'),
                       path("M4.8,11.2 L11.2,4.8", "none", RED, 2)],
}


# --- animations: frame strips, one picture per frame -------------------------
#
# Unlike the 16-pixel pictures, a frame is drawn at the size the window shows
# it (its canvas), so that its lines stay one pixel wide.

def computer():  # the PC at the left end of a transfer: monitor, stand, keyboard
    return [rect(4.5, 3.5, 24, 17, FILL, INK, 1), rect(7.5, 6.5, 18, 11, ACCENT, INK),
            line(16.5, 20.5, 16.5, 24.5), rect(10.5, 24.5, 12, 2, FILL), rect(2.5, 27.5, 28, 3, FILL, INK, 1)]


def central_device(x):  # the matrix device at the right end: a rack with its lights
    parts = [rect(x + 0.5, 9.5, 28, 15, FILL, INK, 1), line(x + 3, 17, x + 13, 17, GREY)]
    for i, colour in enumerate((GREEN, GREEN, YELLOW)):
        parts.append(circle(x + 17.5 + 3.5 * i, 17, 1.2, colour))
    return parts


def travelling_page(x, sheet):  # a page on its way, text lines or a settings sheet
    parts = [poly([(x + 0.5, 8.5), (x + 9.5, 8.5), (x + 12.5, 11.5), (x + 12.5, 24.5), (x + 0.5, 24.5)], PAPER)]
    if sheet:
        for i in range(3):
            parts += [rect(x + 2.5, 12.5 + 3.5 * i, 2, 2, ACCENT, "none"), line(x + 6, 13.5 + 3.5 * i, x + 10.5, 13.5 + 3.5 * i, GREY)]
    else:
        for i in range(5):
            parts.append(line(x + 2.5, 12.5 + 2.5 * i, x + 10.5, 12.5 + 2.5 * i, GREY))
    return parts


def transfer_frames(sheet, count=16):
    # The page leaves the computer and reaches the device; the dotted line is the serial line.
    frames = []
    for f in range(count):
        x = 34 + round(44 * f / (count - 1))
        frames.append(computer() + central_device(96)
                      + ['<line x1="30" y1="26.5" x2="96" y2="26.5" stroke="#8c8c8c" stroke-dasharray="2,2"/>']
                      + travelling_page(x, sheet))
    return frames


def erase_frames(count=9):
    # The device's program memory is erased cell by cell, from left to right.
    frames = []
    for f in range(count):
        parts = [rect(32.5, 6.5, 63, 19, FILL, INK, 1)]
        for t in range(8):
            x = 36 + 8 * t
            parts += [line(x, 3, x, 6.5), line(x, 25.5, x, 29)]
            parts.append(rect(x - 2.5, 10.5, 6, 11, PAPER if t < f else ACCENT, GREY if t < f else INK))
        if f < 8:  # the eraser over the next cell
            x = 36 + 8 * f
            parts.append(poly([(x - 3, 6), (x + 4, 6), (x + 4, 1), (x - 3, 1)], RED))
        frames.append(parts)
    return frames


def arc(cx, cy, r, degrees):
    # An arc of radius r around (cx, cy) spanning +-degrees around the direction to the right.
    import math
    a = math.radians(degrees)
    x1, y1 = cx + r * math.cos(-a), cy + r * math.sin(-a)
    x2, y2 = cx + r * math.cos(a), cy + r * math.sin(a)
    return f"M{x1:.2f},{y1:.2f} A{r},{r} 0 0 1 {x2:.2f},{y2:.2f}"


def reception_frames(count=8):
    # A radio mast sends its time signal to the receiver's antenna. Frame 0,
    # where a stopped animation rests, shows no waves: no reception.
    frames = []
    for f in range(count):
        parts = [poly([(4.5, 22.5), (8, 3.5), (11.5, 22.5)], "none"), line(5.5, 17, 10.5, 17), line(6.5, 11, 9.5, 11),
                 circle(8, 3.5, 1.2, RED if f else GREY),
                 line(40.5, 22.5, 40.5, 8), line(37, 8, 44, 8), line(38, 10.5, 43, 10.5),
                 rect(35.5, 16.5, 10, 6, FILL, INK, 1), circle(43, 19.5, 0.9, GREEN if f else GREY)]
        if f:
            for k in range(3):
                r = 6 + ((f - 1) * 3 + k * 7) % 21
                parts.append(path(arc(8, 3.5, r, 30), "none", ACCENT, 1.5))
        frames.append(parts)
    return frames


def knob_frames(count=91):
    # The controller's knob at each of its positions: 270 degrees from the
    # lower left (0) over straight up (45) to the lower right (90).
    import math
    frames = []
    scale = [path("M9.86,38.14 A20,20 0 1 1 38.14,38.14", "none", GREY, 1.5)]
    for t in range(7):  # a tick every 45 degrees
        a = math.radians(135 - t * 45)
        scale.append(line(round(24 - math.sin(a) * 20.5, 2), round(24 - math.cos(a) * 20.5, 2),
                          round(24 - math.sin(a) * 23.5, 2), round(24 - math.cos(a) * 23.5, 2), INK))
    for f in range(count):
        a = math.radians(135 - f * 3)
        dx, dy = -math.sin(a), -math.cos(a)
        frames.append(scale + [circle(24, 24, 15.5, FILL), circle(24, 24, 12.5, "#dde4f0", "none"),
                               f'<line x1="{24 + dx * 4:.2f}" y1="{24 + dy * 4:.2f}" x2="{24 + dx * 13:.2f}" '
                               f'y2="{24 + dy * 13:.2f}" stroke="{ACCENT}" stroke-width="3" stroke-linecap="round"/>'])
    return frames


# name -> (canvas width, height, frames); a frame is written as name-NN.svg
ANIMATIONS = {
    "reception": (48, 24, reception_frames()),
    "erase": (128, 32, erase_frames()),
    "transfer-text": (128, 32, transfer_frames(False)),
    "transfer-sheet": (128, 32, transfer_frames(True)),
    "knob": (48, 48, knob_frames()),
}


def svg(items, width=16, height=16):
    body = "\n  ".join(items)
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}">\n  ' + body + "\n</svg>\n")


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "ui", "pictures")
    os.makedirs(root, exist_ok=True)
    for old in os.listdir(root):
        if old.endswith(".svg"):
            os.remove(os.path.join(root, old))
    files = {name: svg(items) for name, items in PICTURES.items()}
    for name, (width, height, frames) in ANIMATIONS.items():
        for i, items in enumerate(frames):
            files[f"{name}-{i:02d}"] = svg(items, width, height)
    for name, content in sorted(files.items()):
        with open(os.path.join(root, name + ".svg"), "w", encoding="utf-8") as f:
            f.write(content)
    with open(os.path.join(root, "pictures.qrc"), "w", encoding="utf-8") as f:
        f.write('<!DOCTYPE RCC>\n<RCC version="1.0">\n<qresource prefix="/pictures">\n')
        for name in sorted(files):
            f.write(f"    <file>{name}.svg</file>\n")
        f.write("</qresource>\n</RCC>\n")


if __name__ == "__main__":
    main()
