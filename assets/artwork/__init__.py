"""Procedural artwork for Tavilo: the strip skin, the program icon and the About photograph."""
