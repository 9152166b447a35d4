# Syntax errors between valid entries: every valid entry must survive.
good-first = First

bad-no-value =
good-after-no-value = After an empty message

bad-unclosed = Text { $name
good-after-unclosed = After an unclosed placeable

bad-brace = Text } here
good-after-brace = After a stray brace

bad-select = { $n ->
    [one] one
    [other] no default
}
good-after-select = After a select without default

bad-escape = { "\q" }
good-after-escape = After a bad escape

bad-function = { lower($n) }
good-after-function = After a lower-case function

#bad comment without a space
good-after-comment = After a bad comment

  indented-entry = never an entry
good-after-indent = After an indented line

-bad-term =
good-after-term = After a term without value

bad-variant-key = { $n ->
   *[one two] x
}
good-after-variant = After a bad variant key

bad-multiline-attribute = Value
    .attr =
good-after-attribute = After an attribute without value
    .title = with its attribute

good-last = Last
    continued
