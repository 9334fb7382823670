# lintally-wide: code=6 comment=8 blank=2
"""Module docstring.

Spans lines.
"""
import os

def f(x):
	r'''Raw docstring with a # hash.'''
	text = """not a docstring
# still a string
"""
	return '#' + x  # trailing
    """Another docstring
    '''not its end'''
    """
