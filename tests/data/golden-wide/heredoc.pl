# lintally-wide: code=8 comment=3 blank=2
use strict;
print <<"END";
# inside the heredoc
END
print << 'QUOTED';
# inside too
QUOTED

=head1 NAME

=cut
my $shift = 1 << 2; # a comment
