// lintally: plain=7 blank=8 remed=10 remed+blank=11 blocks=4 blocks+blank=5
program Hello;
{ one line }
{
  inner
}
begin
  writeln('{ not a comment }');
  // remark

end.
