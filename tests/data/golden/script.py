# lintally: plain=3 blank=5 remed=5 remed+blank=7 blocks=3
import os

def main():
    # indented remark
    return 0  # trailing

