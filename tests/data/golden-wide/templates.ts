// lintally-wide: code=7 comment=2 blank=1
const page = `
  ${items.map((i) => `<li>${i}</li>`).join("")}
  // still the template
  ${{ a: 1 }.a} /* and this */
`;

const inner = `${ f(`a // b`) }`; // a comment
/* a block
   after it */ const x = 1;
