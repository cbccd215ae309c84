#!/usr/bin/env python3
"""Draws the loading animation (128 x 128, 12 frames of twelve dots, one running round) into
loading.gif beside this script. Needs ImageMagick's convert; run it by hand after changing the drawing."""

import math
import os
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))

with tempfile.TemporaryDirectory() as folder:
    frames = []
    for frame in range(12):
        draws = []
        for dot in range(12):
            angle = 2 * math.pi * dot / 12
            x, y = 64 + 40 * math.sin(angle), 64 - 40 * math.cos(angle)
            age = (frame - dot) % 12  # the newest dot has the caption colour, older ones fade to white
            colour = "#%02x%02x%02x" % (42 + 213 * age // 11, 86 + 169 * age // 11, 153 + 102 * age // 11)
            draws += ["-fill", colour, "-draw", "circle %.1f,%.1f %.1f,%.1f" % (x, y, x + 8, y)]
        path = os.path.join(folder, "frame%02d.png" % frame)
        subprocess.run(["convert", "-size", "128x128", "xc:white"] + draws + [path], check=True)
        frames.append(path)
    subprocess.run(["convert", "-delay", "8", "-loop", "0"] + frames + [os.path.join(HERE, "loading.gif")], check=True)
