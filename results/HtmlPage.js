// Draws a Lintally page from the JSON in #data: a title, key figures, the charts in order and
// a sortable table. Every name is set as text, never parsed as markup. Each drawn mark carries
// its exact number in data-value, and hovering it shows the numbers in a tooltip.
"use strict";
(function () {
  const SVG = "http://www.w3.org/2000/svg";
  const WIDTH = 940;
  const COLORS = ["#4e79a7", "#f28e2b", "#59a14f", "#e15759", "#76b7b2", "#edc948", "#b07aa1",
    "#ff9da7", "#9c755f", "#bab0ac", "#2f6690", "#a0c15a"];
  const numbers = new Intl.NumberFormat("en-US");
  const fmt = (n) => numbers.format(n);
  const signed = (n) => (n > 0 ? "+" : "") + fmt(n);

  function make(tag, attrs, parent, text) {
    const node = tag.startsWith("svg:") ? document.createElementNS(SVG, tag.slice(4))
      : document.createElement(tag);
    for (const [key, value] of Object.entries(attrs || {})) {
      node.setAttribute(key, value);
    }
    if (text !== undefined) {
      node.textContent = text;
    }
    if (parent) {
      parent.appendChild(node);
    }
    return node;
  }

  // A name cut to fit a label of about chars characters, keeping its end (the file's name).
  function shorten(name, chars) {
    return name.length <= chars ? name : "\u2026" + name.slice(name.length - chars + 1);
  }

  const tip = make("div", { id: "tip", role: "tooltip" }, document.body);
  function showTip(event, title, rows) {
    tip.replaceChildren();
    make("div", { class: "name" }, tip, title);
    const table = make("table", {}, tip);
    for (const [label, value] of rows) {
      const line = make("tr", {}, table);
      make("td", {}, line, label);
      make("td", {}, line, value);
    }
    tip.style.display = "block";
    const x = Math.min(event.clientX + 14, window.innerWidth - tip.offsetWidth - 4);
    const y = Math.min(event.clientY + 14, window.innerHeight - tip.offsetHeight - 4);
    tip.style.left = Math.max(0, x) + "px";
    tip.style.top = Math.max(0, y) + "px";
  }
  function hover(node, tell) {
    node.addEventListener("mousemove", (event) => {
      const [title, rows] = tell(event);
      showTip(event, title, rows);
    });
    node.addEventListener("mouseleave", () => { tip.style.display = "none"; });
  }
  const tipRows = (item, unit, value) =>
    [[unit, fmt(value)]].concat((item.tips || []).map(([label, n]) => [label, fmt(n)]));

  function mark(tag, attrs, parent, value) {
    const node = make(tag, Object.assign({ class: "mark", "data-value": String(value) }, attrs),
      parent);
    return node;
  }

  // Horizontal bars, one per item, longest first as given.
  function bars(spec, box) {
    const rowHeight = 24;
    const labelWidth = 220;
    const svg = make("svg:svg", { viewBox: `0 0 ${WIDTH} ${spec.items.length * rowHeight + 4}` }, box);
    const largest = Math.max(1, ...spec.items.map((item) => item.value));
    const room = WIDTH - labelWidth - 90;
    spec.items.forEach((item, i) => {
      const y = i * rowHeight + 2;
      make("svg:text", { x: labelWidth - 8, y: y + 16, "text-anchor": "end" }, svg,
        shorten(item.name, 30));
      const bar = mark("svg:rect", { x: labelWidth, y: y + 3, height: rowHeight - 6,
        width: Math.max(1, (item.value / largest) * room), fill: COLORS[i % COLORS.length] },
      svg, item.value);
      make("svg:text", { x: labelWidth + Math.max(1, (item.value / largest) * room) + 6, y: y + 16 },
        svg, fmt(item.value));
      hover(bar, () => [item.name, tipRows(item, spec.unit, item.value)]);
    });
  }

  // Lines added to the right of a middle line, lines removed to its left, per item.
  function split(spec, box) {
    const rowHeight = 24;
    const labelWidth = 260;
    const middle = labelWidth + (WIDTH - labelWidth) / 2;
    const half = (WIDTH - labelWidth) / 2 - 70;
    const svg = make("svg:svg", { viewBox: `0 0 ${WIDTH} ${spec.items.length * rowHeight + 4}` }, box);
    const largest = Math.max(1, ...spec.items.map((item) => Math.max(item.added, item.removed)));
    make("svg:line", { class: "axis", x1: middle, x2: middle, y1: 0, y2: spec.items.length * rowHeight + 4 },
      svg);
    spec.items.forEach((item, i) => {
      const y = i * rowHeight + 2;
      make("svg:text", { x: labelWidth - 8, y: y + 16, "text-anchor": "end" }, svg,
        shorten(item.name, 34));
      const rows = [["Added", signed(item.added)], ["Removed", signed(-item.removed)],
        ["Net", signed(item.added - item.removed)]];
      for (const [kind, value, sign] of [["added", item.added, 1], ["removed", item.removed, -1]]) {
        if (value === 0) {
          continue;
        }
        const length = Math.max(1, (value / largest) * half);
        const bar = mark("svg:rect", { "data-kind": kind, y: y + 3, height: rowHeight - 6,
          x: sign > 0 ? middle : middle - length, width: length,
          fill: sign > 0 ? "var(--grew)" : "var(--shrank)" }, svg, value);
        make("svg:text", { class: "tick", y: y + 16, x: sign > 0 ? middle + length + 4 : middle - length - 4,
          "text-anchor": sign > 0 ? "start" : "end" }, svg, signed(sign * value));
        hover(bar, () => [item.name, rows]);
      }
    });
  }

  // Squarified treemap layout of items (value > 0, largest first) in the rectangle.
  function squarify(items, x, y, w, h) {
    const placed = [];
    const total = items.reduce((sum, item) => sum + item.value, 0);
    if (total <= 0 || w <= 0 || h <= 0) {
      return placed;
    }
    const scale = (w * h) / total;
    const worst = (row, side) => {
      const area = row.reduce((sum, item) => sum + item.value, 0) * scale;
      const big = row[0].value * scale;
      const small = row[row.length - 1].value * scale;
      return Math.max((side * side * big) / (area * area), (area * area) / (side * side * small));
    };
    let next = 0;
    while (next < items.length) {
      const side = Math.min(w, h);
      let end = next + 1;
      let best = worst(items.slice(next, end), side);
      while (end < items.length) {
        const ratio = worst(items.slice(next, end + 1), side);
        if (ratio > best) {
          break;
        }
        best = ratio;
        end += 1;
      }
      const row = items.slice(next, end);
      const thick = (row.reduce((sum, item) => sum + item.value, 0) * scale) / side;
      let offset = 0;
      for (const item of row) {
        const length = (item.value * scale) / thick;
        placed.push(w >= h ? { item, x, y: y + offset, w: thick, h: length }
          : { item, x: x + offset, y, w: length, h: thick });
        offset += length;
      }
      if (w >= h) {
        x += thick;
        w -= thick;
      } else {
        y += thick;
        h -= thick;
      }
      next = end;
    }
    return placed;
  }

  // Folders as nested rectangles sized by their value; a folder's own name heads its box.
  function treemap(spec, box) {
    const height = 520;
    const svg = make("svg:svg", { viewBox: `0 0 ${WIDTH} ${height}` }, box);
    const draw = (node, path, x, y, w, h, depth, color) => {
      const children = (node.children || []).filter((child) => child.value > 0);
      children.sort((a, b) => b.value - a.value);
      squarify(children, x, y, w, h).forEach((cell, i) => {
        const child = cell.item;
        const shade = depth === 1 ? COLORS[i % COLORS.length] : color;
        const name = path ? path + "/" + child.name : child.name;
        const rect = mark("svg:rect", { x: cell.x + 1, y: cell.y + 1, width: Math.max(0.5, cell.w - 2),
          height: Math.max(0.5, cell.h - 2), fill: shade, "fill-opacity": 1 - 0.22 * (depth - 1),
          stroke: "#fff", "data-depth": depth }, svg, child.value);
        hover(rect, () => [name, tipRows(child, spec.unit, child.value)]);
        const labelled = cell.w > 48 && cell.h > 18;
        if (labelled) {
          make("svg:text", { x: cell.x + 5, y: cell.y + 14, "pointer-events": "none" }, svg,
            shorten(child.name, Math.floor(cell.w / 7)));
        }
        if ((child.children || []).length > 0 && cell.w > 24 && cell.h > 36) {
          draw(child, name, cell.x + 3, cell.y + (labelled ? 18 : 3), cell.w - 6,
            cell.h - (labelled ? 21 : 6), depth + 1, shade);
        }
      });
    };
    draw(spec.root, "", 0, 0, WIDTH, height, 1, COLORS[0]);
  }

  // Each series stacked on those before it across the points in order; hovering shows every
  // series' number at the nearest point.
  function area(spec, box) {
    const height = 360;
    const left = 70;
    const bottom = height - 28;
    const ceiling = 10;
    const svg = make("svg:svg", { viewBox: `0 0 ${WIDTH} ${height}` }, box);
    const count = spec.labels.length;
    const totals = spec.labels.map((_, p) => spec.series.reduce((sum, s) => sum + s.values[p], 0));
    // Ticks at a round step (1, 2 or 5 times a power of ten), the top one above every total.
    const top = totals.reduce((most, total) => Math.max(most, total), 1);
    const rough = top / 4;
    const power = Math.pow(10, Math.floor(Math.log10(rough)));
    const step = [1, 2, 5, 10].map((m) => m * power).find((s) => s >= rough);
    const largest = Math.ceil(top / step) * step;
    const xAt = (p) => left + (count > 1 ? (p / (count - 1)) * (WIDTH - left - 10) : (WIDTH - left - 10) / 2);
    const yAt = (v) => bottom - (v / largest) * (bottom - ceiling);
    for (let value = 0; value <= largest; value += step) {
      make("svg:line", { class: "axis", x1: left, x2: WIDTH - 10, y1: yAt(value), y2: yAt(value) }, svg);
      make("svg:text", { class: "tick", x: left - 6, y: yAt(value) + 4, "text-anchor": "end" }, svg, fmt(value));
    }
    for (const p of [0, count - 1]) {
      make("svg:text", { class: "tick", x: xAt(p), y: height - 8, "text-anchor": p === 0 ? "start" : "end" },
        svg, spec.labels[p]);
    }
    const below = spec.labels.map(() => 0);
    spec.series.forEach((series, i) => {
      const upper = series.values.map((v, p) => below[p] + v);
      const forth = upper.map((v, p) => `${xAt(p)},${yAt(v)}`);
      const back = below.map((v, p) => `${xAt(p)},${yAt(v)}`).reverse();
      const edge = count > 1 ? "" : `L${xAt(0) + 1},${yAt(upper[0])}L${xAt(0) + 1},${yAt(below[0])}`;
      mark("svg:path", { d: `M${forth.join("L")}${edge}L${back.join("L")}Z`,
        fill: COLORS[i % COLORS.length], "fill-opacity": 0.85 }, svg, series.values[count - 1]);
      upper.forEach((v, p) => { below[p] = v; });
    });
    const cursor = make("svg:line", { class: "axis", y1: ceiling, y2: bottom, visibility: "hidden" }, svg);
    const catcher = make("svg:rect", { class: "catcher", x: left, y: ceiling, width: WIDTH - left, height: bottom - ceiling,
      fill: "transparent" }, svg);
    hover(catcher, (event) => {
      const bounds = svg.getBoundingClientRect();
      const at = ((event.clientX - bounds.left) / bounds.width) * WIDTH;
      const p = count > 1 ? Math.max(0, Math.min(count - 1, Math.round(((at - left) / (WIDTH - left - 10)) * (count - 1)))) : 0;
      cursor.setAttribute("x1", xAt(p));
      cursor.setAttribute("x2", xAt(p));
      cursor.setAttribute("visibility", "visible");
      const rows = spec.series.map((s) => [s.name, fmt(s.values[p])]).reverse();
      rows.push(["Total", fmt(totals[p])]);
      return [spec.labels[p] + (spec.notes ? "  " + spec.notes[p] : ""), rows];
    });
    catcher.addEventListener("mouseleave", () => cursor.setAttribute("visibility", "hidden"));
    const legend = make("ul", { class: "legend" }, box);
    spec.series.forEach((series, i) => {
      const entry = make("li", {}, legend);
      make("span", { class: "swatch", style: "background:" + COLORS[i % COLORS.length] }, entry);
      entry.appendChild(document.createTextNode(series.name));
    });
  }

  // The rows under the charts; a click on a heading sorts by that column, again to reverse.
  function rowTable(page, parent) {
    const table = make("table", { class: "rows" }, parent);
    const heads = make("tr", {}, make("thead", {}, table));
    const body = make("tbody", {}, table);
    // A null number was not computed (a file too large to compare), as the table's "?".
    const cell = (line, column, value) => make("td", column.num ? { class: "num" } : {}, line,
      !column.num ? value : value === null ? "?" : column.signed ? signed(value) : fmt(value));
    const fill = (rows) => {
      body.replaceChildren();
      for (const row of rows) {
        const line = make("tr", {}, body);
        page.columns.forEach((column, c) => cell(line, column, row[c]));
      }
    };
    page.columns.forEach((column, c) => {
      const head = make("th", column.num ? { class: "num" } : {}, heads, column.label);
      head.addEventListener("click", () => {
        const wasDescending = head.getAttribute("aria-sort") === "descending";
        const descending = column.num ? !wasDescending : head.getAttribute("aria-sort") === "ascending";
        for (const other of heads.children) {
          other.removeAttribute("aria-sort");
        }
        head.setAttribute("aria-sort", descending ? "descending" : "ascending");
        const order = (a, b) => (column.num ? a[c] - b[c] : (a[c] < b[c] ? -1 : a[c] > b[c] ? 1 : 0));
        fill(page.rows.slice().sort((a, b) => (descending ? order(b, a) : order(a, b))));
      });
    });
    fill(page.rows);
    if (page.total) {
      const line = make("tr", {}, make("tfoot", {}, table));
      page.columns.forEach((column, c) => cell(line, column, page.total[c]));
    }
  }

  const draw = { bars, split, treemap, area };
  const page = JSON.parse(document.getElementById("data").textContent);
  document.title = page.title;
  const main = make("main", {}, document.body);
  make("h1", {}, main, page.title);
  make("p", { class: "subtitle" }, main, page.subtitle);
  const facts = make("ul", { class: "facts" }, main);
  for (const [label, value, isSigned] of page.facts) {
    const fact = make("li", {}, facts);
    make("b", {}, fact, isSigned ? signed(value) : fmt(value));
    make("span", {}, fact, label);
  }
  for (const spec of page.charts) {
    const box = make("section", { class: "chart", "data-chart": spec.chart }, main);
    make("h2", {}, box, spec.title);
    const drawn = spec.items ? spec.items.length : spec.series ? spec.series.length
      : (spec.root.children || []).length;
    if (drawn === 0) {
      make("p", { class: "empty" }, box, "Nothing to draw.");
    } else {
      draw[spec.chart](spec, box);
    }
  }
  rowTable(page, main);
}());
