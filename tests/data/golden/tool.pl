# lintally: plain=4 blank=5 remed=6 remed+blank=7 blocks=4
use strict;
# remark
my $x = 1; # trailing

print "$x\n";
// not a perl comment