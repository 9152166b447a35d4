// Regenerates fluent_expected.json from Fluent's JavaScript implementation.
// Not run by the tests; run it by hand after changing a fixture or a case:
//
//   mkdir -p /tmp/fluentref && cd /tmp/fluentref && npm install @fluent/bundle @fluent/syntax
//   FLUENT_REF=/tmp/fluentref node tests/i18n/gen_expected.mjs
//
// It checks that both fixtures parse as intended with @fluent/syntax (the
// golden fixture without junk; the junk fixture to the same entries as the
// runtime parser) and writes what @fluent/bundle formats for every case.
import { readFileSync, writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import path from "node:path";
import { fileURLToPath } from "node:url";

const here = path.dirname(fileURLToPath(import.meta.url));
const require = createRequire(path.join(process.env.FLUENT_REF ?? process.cwd(), "package.json"));
const { FluentBundle, FluentResource } = require("@fluent/bundle");
const { FluentParser } = require("@fluent/syntax");

const fixture = readFileSync(path.join(here, "fluent_fixture.ftl"), "utf8");
const junkFixture = readFileSync(path.join(here, "fluent_junk.ftl"), "utf8");

// [id, args, attribute]
const everywhere = [
  ["plain"], ["spaced"], ["unicode"], ["braces-as-literals"], ["after-empty-comment"],
  ["inline-continued"], ["block"], ["block-with-extra-indent"], ["blank-lines-inside"],
  ["trailing-blank-lines"], ["leading-blank-lines"],
  ["placeable-line-unindented", { name: "Ann" }], ["placeable-first-indented", { name: "Ann" }],
  ["text-after-placeable-line", { name: "Ann" }],
  ["escapes"], ["literal-text-backslash"], ["empty-string"],
  ["number-integer"], ["number-big"], ["number-fraction"], ["number-negative"], ["number-small"],
  ["hello", { name: "Ann" }], ["hello", {}],
  ["count-plain", { count: 1234567.891 }], ["count-plain", { count: 0.12345 }], ["count-plain", { count: -2.5 }],
  ["count-plain", { count: "text 1000" }],
  ["two-vars", { first: "a", second: 2 }], ["same-var-twice", { name: "x" }],
  ["ref-base"], ["ref-chain"], ["with-attrs"], ["with-attrs", {}, "title"],
  ["with-attrs", { name: "Ann" }, "aria-label"], ["only-attrs", {}, "hint"],
  ["ref-attr"], ["ref-attr-with-var", { name: "Bo" }], ["ref-attr-with-var", {}], ["ref-only-attrs-attr"],
  ["ref-var-message", { name: "Cy" }], ["ref-var-message", {}],
  ["term-simple"], ["term-nested"], ["term-param"], ["term-param-default"], ["term-param-number"],
  ["term-param-missing"], ["term-param-ignores-args", { value: "outer" }], ["term-param-ignores-args", {}],
  ["term-attr-selector"],
  ["numeric-then-plural", { count: 1 }], ["plural-then-numeric", { count: 1 }],
  ["fraction-key", { count: 1.5 }], ["fraction-key", { count: 1.50 }],
  ["string-select", { kind: "file" }], ["string-select", { kind: "folder" }], ["string-select", { kind: "other" }],
  ["string-select", { kind: "nothing" }], ["string-select", { kind: 1 }], ["string-select", {}],
  ["string-selector-number-like", { kind: "one" }], ["string-selector-number-like", { kind: "1" }],
  ["default-first", { count: 1 }], ["default-first", { count: 2 }],
  ["number-literal-selector"], ["string-literal-selector"],
  ["nested-plural", { files: 1, folders: 1 }], ["nested-plural", { files: 1, folders: 3 }],
  ["nested-plural", { files: 5, folders: 1 }], ["nested-plural", { files: 1000, folders: 2000 }],
  ["selected-count", { base: "12 items", count: 1 }], ["selected-count", { base: "12 items", count: 3 }],
  ["variant-multiline", { count: 1 }], ["variant-multiline", { count: 2 }],
  ["select-mid-text", { count: 1 }], ["select-mid-text", { count: 7 }], ["select-on-missing", {}],
  ["number-default", { n: 1234.5678 }], ["number-min-fraction", { n: 1234.5 }], ["number-max-fraction", { n: 2.25 }],
  ["number-max-zero", { n: 2.5 }], ["number-max-zero", { n: -2.5 }], ["number-min-max", { n: 3 }],
  ["number-min-max", { n: 3.14159 }], ["number-no-grouping", { n: 1234567 }], ["number-string-option", { n: 5 }],
  ["number-integer-digits", { n: 7 }], ["number-significant", { n: 123456 }], ["number-literal-arg"],
  ["number-plural-fraction", { n: 1 }], ["number-plural-plain", { n: 1 }], ["number-plural-plain", { n: 1.5 }],
  ["number-of-missing", {}], ["number-of-text", { name: "x" }], ["number-no-args"], ["number-bad-option", { n: 1 }],
  ["nested-placeable", { name: "N" }], ["nested-literal"], ["placeables-adjacent", { first: "a", second: "b" }],
  ["placeable-whitespace", { name: "W" }],
  ["missing-var"], ["unknown-message"], ["unknown-term"], ["unknown-attribute"], ["no-value-reference"],
  ["unknown-function", { n: 1 }], ["cyclic-self"], ["cyclic-a"], ["unknown-term-attribute"],
  ["laughs-1", { n: "x" }], ["laughs-2", { n: "x" }],
];

// Plural rules and number formats that differ between locales.
const plurals = [0, 1, 2, 3, 5, 11, 21, 22, 25, 1.5, 1000000];
const perLocale = [
  ...plurals.map((count) => ["plural-only", { count }]),
  ...[0, 1, 2, 1000].map((count) => ["emails", { count }]),
  ["count-plain", { count: 1234567.891 }],
  ["number-big"], ["number-fraction"],
  ["number-min-fraction", { n: 1234.5 }],
  ["number-no-grouping", { n: 1234567 }],
  ["selected-count", { base: "1.000", count: 1000 }],
];

const locales = ["en-US", "de-DE", "fr-FR", "pl-PL", "ja-JP"];

function parsedIds(source) {
  const ast = new FluentParser({ withSpans: false }).parse(source);
  const ids = [];
  let junk = 0;
  for (const entry of ast.body) {
    if (entry.type === "Message") ids.push(entry.id.name);
    if (entry.type === "Term") ids.push(`-${entry.id.name}`);
    if (entry.type === "Junk") junk++;
  }
  return { ids, junk };
}

function runtimeIds(source) {
  return new FluentResource(source).body.map((entry) => entry.id);
}

function sameList(a, b) {
  return a.length === b.length && a.every((x, i) => x === b[i]);
}

function bundleFor(locale, source) {
  const bundle = new FluentBundle(locale, { useIsolating: false });
  const errors = bundle.addResource(new FluentResource(source));
  if (errors.length) throw new Error(`addResource: ${errors}`);
  return bundle;
}

function format(bundle, id, args, attribute) {
  const message = bundle.getMessage(id);
  if (!message) throw new Error(`no message ${id}`);
  const pattern = attribute ? message.attributes[attribute] : message.value;
  if (!pattern) throw new Error(`no pattern ${id}.${attribute}`);
  const errors = [];
  const text = bundle.formatPattern(pattern, args ?? null, errors);
  return { text, errors: errors.length };
}

const golden = parsedIds(fixture);
if (golden.junk !== 0) throw new Error(`fluent_fixture.ftl has ${golden.junk} junk entries`);
if (!sameList(golden.ids, runtimeIds(fixture))) throw new Error("parsers disagree on fluent_fixture.ftl");

const cases = [];
const add = (locale, [id, args = {}, attribute = null]) => {
  const bundle = bundleFor(locale, fixture);
  cases.push({ locale, id, attribute, args, ...format(bundle, id, args, attribute) });
};
for (const c of everywhere) add("en-US", c);
for (const locale of locales) for (const c of perLocale) add(locale, c);

const junk = parsedIds(junkFixture);
if (!sameList(junk.ids, runtimeIds(junkFixture))) {
  throw new Error(`parsers disagree on fluent_junk.ftl: ${junk.ids} vs ${runtimeIds(junkFixture)}`);
}
const junkBundle = bundleFor("en-US", junkFixture);
const junkFormatted = junk.ids
  .filter((id) => !id.startsWith("-"))
  .map((id) => {
    const message = junkBundle.getMessage(id);
    const result = { id, text: message.value ? format(junkBundle, id).text : null };
    const title = message.attributes.title;
    if (title) result.title = junkBundle.formatPattern(title, null, []);
    return result;
  });

const out = { cases, junk: { entries: junk.ids, errors: junk.junk, formatted: junkFormatted } };
writeFileSync(path.join(here, "fluent_expected.json"), JSON.stringify(out, null, 1) + "\n");
console.log(`${cases.length} cases, ${junk.ids.length} entries and ${junk.junk} junk in the junk fixture`);
