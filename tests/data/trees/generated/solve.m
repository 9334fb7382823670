% Solves a x = b.
function x = solve(a, b)
  x = a \ b;
end
