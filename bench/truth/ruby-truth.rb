# Code lines of Ruby files by Ruby's own lexer, Ripper.
#
# Reads paths on standard input, one a line; prints "CODE<TAB>PATH" per file, or
# "skip<TAB>PATH" when Ripper finds a syntax error. Comments are Ripper's comment and embedded
# document (=begin/=end) tokens; the text after __END__ is no program text and counts as
# comment. A line is code when it holds a byte outside comments that is not white space.
require "ripper"

def code_lines(src)
  return nil if Ripper.sexp(src).nil?
  lines = src.b.split("\n", -1)
  lines.pop if src.end_with?("\n")
  blanked = lines.map(&:dup)
  ends_at = nil
  Ripper.lex(src).each do |(row, col), type, tok|
    if type == :on___end__
      ends_at = row
      next
    end
    next unless %i[on_comment on_embdoc_beg on_embdoc on_embdoc_end].include?(type)
    tok.b.each_line.with_index do |part, i|
      line = blanked[row - 1 + i] or next
      start = i.zero? ? col : 0
      stop = [start + part.chomp.bytesize, line.bytesize].min
      line[start...stop] = " " * (stop - start) if stop > start
    end
  end
  code = 0
  blanked.each_with_index do |line, i|
    break if ends_at && i + 1 >= ends_at
    code += 1 if line =~ /[^ \t\r\f\v]/n || (i.zero? && src.start_with?("#!"))
  end
  code
end

$stdin.read.split("\n").each do |path|
  code = begin
    src = File.binread(path).force_encoding("UTF-8")
    src.valid_encoding? ? code_lines(src) : nil
  rescue StandardError, SyntaxError
    nil
  end
  puts "#{code.nil? ? 'skip' : code}\t#{path}"
end
