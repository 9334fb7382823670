// The page's entry.
export function start() {
  return 1;
}
