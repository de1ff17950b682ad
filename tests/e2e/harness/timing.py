"""How long the harness waits for the programs under test to react.

Every wait polls for a state and returns as soon as it holds; these are only the limits. They
are sized for a machine running at half speed with another test beside it: what takes a few
seconds on an idle machine may take several times that there.
"""

# A window appearing or closing, a repaint, a program ending, a driver request arriving.
WAIT = 20

# A Windows program's first window after it was started (a Wine process start included).
START = 30
