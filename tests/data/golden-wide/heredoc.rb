# lintally-wide: code=16 comment=2 blank=1
text = <<~EOS
  # inside the heredoc
  EOS
sql = <<-'SQL'
  # also inside
  SQL
words = %w[a [b]
# inside the words
]
q = %q{a {nested} # inside
}
s = "runs on
# inside the string
"

x = 10 % 3 # a comment
# a comment
shifted = 1 << 2 # a comment
