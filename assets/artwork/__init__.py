"""Procedural artwork for Tavilo: the strip skin, the song player's background, the program
icon and the About photograph."""
