# lintally-wide: code=4 comment=5 blank=2
use strict;

=head1 NAME

pod - a test
=cut
my $h = "# not a comment";
print $h;   # trailing
# comment
exit 0;
