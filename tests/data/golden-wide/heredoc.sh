#!/bin/sh
# lintally-wide: code=13 comment=2 blank=1
cat <<EOF
# inside the heredoc
EOF
cat <<-'END' > out
	# inside, tab-indented
	END
echo 'single
# inside single quotes, no escapes \'
echo "double
# inside double quotes \"
"
echo ${#list} don\'t # a comment

# a comment
