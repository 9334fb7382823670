# lintally-wide: code=12 comment=5 blank=1
"""Module docstring."""
'a one-line string statement'
r"raw and prefixed"  # and a comment
query = """
SELECT 1
"""
cursor.execute(
    """
    SELECT 2
    """
)
"""Its .strip() makes this an expression,
so its last line is code.""".strip()

names = {
    'a': 1,
    'b'}
