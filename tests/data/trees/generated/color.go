package color

// Color is a colour.
type Color int
