#!/usr/bin/env python3
"""Regenerates Tavilo's artwork beside this script: skin.bmp, player.bmp, tavilo.ico and about.jpg.

Plain Python 3, no third-party modules; the output is the same byte for byte on every run.
"""
import os
import sys

sys.dont_write_bytecode = True  # keep the assets folder free of __pycache__

from artwork.encoders import bmp24_bytes, ico_bytes  # noqa: E402
from artwork.icon import check_icon, icon_entries  # noqa: E402
from artwork.jpeg import jpeg_bytes  # noqa: E402
from artwork.photo import render_photo  # noqa: E402
from artwork.player import check_player, render_player  # noqa: E402
from artwork.skin import check_skin, render_skin  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))


def write(name, data):
    with open(os.path.join(HERE, name), 'wb') as out:
        out.write(data)
    print(f'{name}: {len(data)} bytes')


def main():
    skin = render_skin()
    check_skin(skin)
    write('skin.bmp', bmp24_bytes(skin))
    player = render_player()
    check_player(player)
    write('player.bmp', bmp24_bytes(player))
    icon = ico_bytes(icon_entries())
    check_icon(icon)
    write('tavilo.ico', icon)
    write('about.jpg', jpeg_bytes(render_photo(), quality=90))


if __name__ == '__main__':
    main()
