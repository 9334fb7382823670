# lintally-wide: code=3 comment=5 blank=1
=begin
a block comment
=end
def f
  "# in a string"

  # comment
end
