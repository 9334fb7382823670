% Family facts.
parent(tom, bob).

ancestor(X, Y) :- parent(X, Y).
