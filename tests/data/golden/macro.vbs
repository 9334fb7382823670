' lintally: plain=3 blank=3 remed=5 remed+blank=5 blocks=3
Option Explicit
' remark
Dim x
x = 1 ' trailing
