// Run in a loaded Lintally page by browser-check: compares what the page drew with the JSON
// it carries and returns {problems: [...]}, empty when all is well.
(() => {
  const problems = [];
  const expect = (ok, what) => { if (!ok) problems.push(what); };
  const page = JSON.parse(document.getElementById("data").textContent);
  const fmt = (n) => new Intl.NumberFormat("en-US").format(n);
  const shown = (node) => {
    const box = node.getBoundingClientRect();
    return box.width > 0 && box.height > 0;
  };
  const values = (nodes) => Array.from(nodes, (node) => Number(node.dataset.value));
  const same = (a, b) => a.length === b.length && a.every((v, i) => v === b[i]);
  const tip = document.getElementById("tip");
  // The tooltip's text after the pointer moves onto node (at x across it, 0 to 1).
  const hoverText = (node, x) => {
    const box = node.getBoundingClientRect();
    node.dispatchEvent(new MouseEvent("mousemove", { bubbles: true,
      clientX: box.left + box.width * x, clientY: box.top + box.height / 2 }));
    const text = tip.textContent;
    node.dispatchEvent(new MouseEvent("mouseleave"));
    return text;
  };

  expect(document.querySelector("h1").textContent === page.title, "the title is not the JSON's");
  const facts = Array.from(document.querySelectorAll(".facts b"), (b) => b.textContent);
  expect(same(facts, page.facts.map(([, n, s]) => (s && n > 0 ? "+" : "") + fmt(n))),
    "key figures " + facts + " differ from the JSON's");

  const sections = document.querySelectorAll("section.chart");
  expect(sections.length === page.charts.length, "charts drawn: " + sections.length);
  page.charts.forEach((spec, i) => {
    const section = sections[i];
    const marks = section.querySelectorAll(".mark");
    const name = spec.chart + " '" + spec.title + "'";
    expect(marks.length > 0, name + " draws nothing");
    expect(Array.from(marks).every(shown), name + " has a mark of no size");
    if (spec.chart === "bars") {
      expect(same(values(marks), spec.items.map((item) => item.value)), name + ": bars differ from the JSON");
      expect(hoverText(marks[0], 0.5).includes(fmt(spec.items[0].value)), name + ": tooltip lacks the number");
    } else if (spec.chart === "split") {
      const want = spec.items.flatMap((item) => [item.added, item.removed].filter((v) => v > 0));
      expect(same(values(marks), want), name + ": bars differ from the JSON");
    } else if (spec.chart === "treemap") {
      const top = section.querySelectorAll('.mark[data-depth="1"]');
      const children = spec.root.children.filter((child) => child.value > 0);
      expect(same(values(top).sort((a, b) => b - a), children.map((c) => c.value).sort((a, b) => b - a)),
        name + ": top cells differ from the JSON");
      const area = (node) => node.getBoundingClientRect().width * node.getBoundingClientRect().height;
      expect(area(top[0]) >= area(top[top.length - 1]), name + ": cells not sized by value");
      expect(hoverText(top[0], 0.5).includes(fmt(Number(top[0].dataset.value))), name + ": tooltip lacks the number");
    } else if (spec.chart === "area") {
      expect(marks.length === spec.series.length, name + ": one band per series");
      const text = hoverText(section.querySelector(".catcher"), 0.999);
      const last = spec.labels.length - 1;
      expect(text.includes(spec.labels[last]), name + ": tooltip lacks the newest label");
      for (const series of spec.series) {
        expect(text.includes(series.name + fmt(series.values[last])), name + ": tooltip lacks " + series.name);
      }
    }
  });

  const cellText = (column, value) => (column.num ? (column.signed && value > 0 ? "+" : "") + fmt(value) : value);
  const tableRows = () => Array.from(document.querySelectorAll("table.rows tbody tr"),
    (tr) => Array.from(tr.children, (td) => td.textContent));
  const wanted = page.rows.map((row) => row.map((v, c) => cellText(page.columns[c], v)));
  expect(JSON.stringify(tableRows()) === JSON.stringify(wanted), "the table differs from the JSON's rows");
  const numeric = page.columns.findIndex((column) => column.num);
  if (numeric >= 0 && page.rows.length > 1) {
    document.querySelectorAll("table.rows th")[numeric].click();
    const sorted = tableRows().map((row) => Number(row[numeric].replace(/[,+]/g, "")));
    expect(sorted.every((v, i) => i === 0 || sorted[i - 1] >= v), "a click does not sort largest first");
    document.querySelectorAll("table.rows th")[numeric].click();
    const back = tableRows().map((row) => Number(row[numeric].replace(/[,+]/g, "")));
    expect(back.every((v, i) => i === 0 || back[i - 1] <= v), "a second click does not reverse");
  }
  return { problems };
})()
