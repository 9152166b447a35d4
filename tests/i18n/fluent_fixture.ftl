### Resource comment: every syntax feature the resolver must agree on.
### It spans two lines.

## Simple text

# A comment attached to the message below.
plain = Plain text
spaced =     Leading blanks are not part of the value.   
unicode = Grüße — “quoted” · 😀
braces-as-literals = Open {"{"} and close {"}"}

#
#  A comment whose first line is empty.
after-empty-comment = Still parsed

## Multiline patterns

inline-continued = First line
    second line
        indented more
    third line
block = 
    Block starts here
    and goes on
block-with-extra-indent =
        deeper first line
    shallow line
      mid line
blank-lines-inside =
    Paragraph one

    Paragraph two


    Paragraph three
trailing-blank-lines =
    Text before blanks



leading-blank-lines =


    After blank lines
placeable-line-unindented =
{ $name } starts the line
    then text
placeable-first-indented =
    { $name }
    second line
text-after-placeable-line = Before { $name }
    after

## String and number literals

escapes = Backslash {"\\"} quote {"\""} e-acute {"\u00E9"} emoji {"\U01F600"} lone {"\uD800"}
literal-text-backslash = Text keeps \n and \u0041 as written
empty-string = [{""}]
number-integer = { 42 }
number-big = { 1000 }
number-fraction = { 3.50 }
number-negative = { -7.125 }
number-small = { 0.5 }

## Variables

hello = Hello, { $name }!
count-plain = Count: { $count }
two-vars = { $first } and { $second }
same-var-twice = { $name }/{ $name }

## Message and attribute references

base = Base
ref-base = Ref to { base }
ref-chain = Chain to { ref-base }
with-attrs = Value
    .title = Title attribute
    .aria-label = Label of { $name }
only-attrs =
    .hint = Only an attribute
ref-attr = Attr: { with-attrs.title }
ref-attr-with-var = { with-attrs.aria-label }
ref-only-attrs-attr = { only-attrs.hint }
ref-var-message = Through reference: { hello }

## Terms

-brand = Vesk
    .gender = feminine
-brand-cased = { $case ->
       *[nominative] Vesk
        [genitive] Vesks
        [dative] dem Vesk
    }
-product = { -brand } Files
-term-with-param = [{ $value }]
term-simple = About { -brand }
term-nested = Welcome to { -product }
term-param = { -brand-cased(case: "dative") } gehört
term-param-default = { -brand-cased } ist
term-param-number = { -term-with-param(value: 3.0) }
term-param-missing = { -term-with-param }
term-param-ignores-args = { -term-with-param(value: "inner") } and { $value }
term-attr-selector = { -brand.gender ->
    [masculine] He
    [feminine] She
   *[other] It
}

## Select expressions

emails = { $count ->
    [0] No emails
    [one] One email
   *[other] { $count } emails
}
plural-only = { $count ->
    [zero] zero
    [one] one
    [two] two
    [few] few
    [many] many
   *[other] other
}
numeric-then-plural = { $count ->
    [1] exactly one
    [one] plural one
   *[other] other
}
plural-then-numeric = { $count ->
    [one] plural one
    [1] exactly one
   *[other] other
}
fraction-key = { $count ->
    [1.5] one and a half
   *[other] other
}
string-select = { $kind ->
    [file] A file
    [folder] A folder
   *[other] Something
}
string-selector-number-like = { $kind ->
    [one] text one
   *[other] text other
}
default-first = { $count ->
   *[other] default first
    [one] one second
}
number-literal-selector = { 1 ->
    [one] literal one
   *[other] literal other
}
string-literal-selector = { "folder" ->
    [folder] literal folder
   *[other] literal other
}
nested-plural = { $files ->
    [one] { $folders ->
        [one] one file in one folder
       *[other] one file in { $folders } folders
    }
   *[other] { $folders ->
        [one] { $files } files in one folder
       *[other] { $files } files in { $folders } folders
    }
}
selected-count = { $base }  ·  { $count ->
    [one] { $count } selected
   *[other] { $count } selected
}
variant-multiline = { $count ->
    [one]
        Single
        line two
   *[other] Many
        line two
}
select-mid-text = Before { $count ->
    [one] one
   *[other] many
} after
select-on-missing = { $missing ->
    [one] one
   *[other] fallback variant
}

## NUMBER

number-default = { NUMBER($n) }
number-min-fraction = { NUMBER($n, minimumFractionDigits: 2) }
number-max-fraction = { NUMBER($n, maximumFractionDigits: 1) }
number-max-zero = { NUMBER($n, maximumFractionDigits: 0) }
number-min-max = { NUMBER($n, minimumFractionDigits: 1, maximumFractionDigits: 2) }
number-no-grouping = { NUMBER($n, useGrouping: 0) }
number-string-option = { NUMBER($n, minimumFractionDigits: "2") }
number-integer-digits = { NUMBER($n, minimumIntegerDigits: 3) }
number-significant = { NUMBER($n, maximumSignificantDigits: 3) }
number-literal-arg = { NUMBER(1234.5, maximumFractionDigits: 0) }
number-plural-fraction = { NUMBER($n, minimumFractionDigits: 1) ->
    [one] one
   *[other] other
}
number-plural-plain = { NUMBER($n) ->
    [one] one
   *[other] other
}
number-of-missing = { NUMBER($missing) }
number-of-text = { NUMBER($name) }
number-no-args = { NUMBER() }
number-bad-option = { NUMBER($n, minimumFractionDigits: 3, maximumFractionDigits: 1) }

## Placeables

nested-placeable = {{ $name }}
nested-literal = { { "deep" } }
placeables-adjacent = {$first}{$second}
placeable-whitespace = {
    $name
}

## Errors that still give text

missing-var = Hi { $nobody }!
unknown-message = See { no-such-message }
unknown-term = See { -no-such-term }
unknown-attribute = See { with-attrs.nope }
no-value-reference = See { only-attrs }
unknown-function = { FOO($n) }
cyclic-self = Loop { cyclic-self }
cyclic-a = A { cyclic-b }
cyclic-b = B { cyclic-a }
unknown-term-attribute = { -brand.nope ->
   *[other] other
}
laughs-0 = { $n }{ $n }{ $n }{ $n }{ $n }{ $n }{ $n }{ $n }{ $n }{ $n }
laughs-1 = { laughs-0 }{ laughs-0 }{ laughs-0 }{ laughs-0 }{ laughs-0 }{ laughs-0 }{ laughs-0 }{ laughs-0 }{ laughs-0 }{ laughs-0 }
laughs-2 = { laughs-1 }{ laughs-1 }
