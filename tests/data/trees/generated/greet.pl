#!/usr/bin/perl
use strict;

# Prints a greeting.
print "hi\n";
