int dot;
