' lintally: plain=4 blank=5 remed=7 remed+blank=8 blocks=4
Dim x As Integer
' remark
  ' indented remark
x = 1 ' trailing

Rem old style remark
/* not basic */
