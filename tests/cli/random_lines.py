#!/usr/bin/env python3
"""random_lines.py grammar|functions|hex COUNT [SEED]: deterministic random
expressions for orrin-calc, one a line: every token the scanner knows (often
malformed), nested calls at the edges of the functions' domains and ranges,
or integers and bit operators for --hex."""
import random
import sys

FUNCTIONS = ["abs", "acos", "asin", "atan", "ceil", "cos", "cosh", "exp", "fabs", "floor",
             "log", "log10", "pow", "sin", "sinh", "sqrt", "tan", "tanh"]
EDGES = ["0", "1", "-1", "0.5", "2", "1e308", "1e-308", "4e-320", "710", "709.78", "-745",
         "1000", "1e22", "1/0", "sqrt(-1)", "log(0)", "-log(0)", "2147483648", "1.5", "-8", "3"]


def number(r):
    return r.choice([
        lambda: str(r.randint(0, 10 ** r.randint(1, 12))),
        lambda: f"{r.uniform(0, 1000):.{r.randint(0, 17)}f}",
        lambda: f"{r.randint(1, 99)}e{r.choice(['', '-', '+'])}{r.randint(0, 330)}",
        lambda: f"0x{r.getrandbits(r.choice([8, 32, 40])):x}",
        lambda: f"0{r.randint(0, 7777)}",
        lambda: "'" + r.choice(["a", "\\n", "\\0", "\\x", "ab", "\\'"]) + "'",
        lambda: r.choice(["x", "y", "PI", "SIN"]),
    ])()


def grammar(r, depth=0):
    pick = 0 if depth > 3 else r.random()
    if pick < 0.3:
        return number(r)
    if pick < 0.6:
        return grammar(r, depth + 1) + r.choice(list("+-*/%&|^+-*/=,") + [" "]) + grammar(r, depth + 1)
    if pick < 0.7:
        return "(" + r.choice(["", "-", "+"]) + grammar(r, depth + 1) + ")" * r.choice([1, 1, 1, 0, 2])
    if pick < 0.75:
        return "~" + grammar(r, depth + 1)
    return r.choice(FUNCTIONS) + r.choice(["(", " "]) + grammar(r, depth + 1) + ")"


def functions(r, depth=0):
    def argument():
        if depth < 2 and r.random() < 0.4:
            return functions(r, depth + 1)
        edge = r.choice(EDGES + [number(r)])
        return edge if edge.startswith("-") else r.choice(["", "-"]) + edge

    name = r.choice(FUNCTIONS)
    return f"pow({argument()},{argument()})" if name == "pow" else f"{name}({argument()})"


def hex_line(r, depth=0):
    if depth > 2 or r.random() < 0.35:
        return r.choice([f"0x{r.getrandbits(32):x}", str(r.randint(0, 2 ** 33)), "1e10",
                         f"({r.uniform(-1e10, 1e10):.3f})", "(-2147483648.5)", "~0"])
    return f"({hex_line(r, depth + 1)}{r.choice('+-*/%&|^')}{hex_line(r, depth + 1)})"


MAKERS = {"grammar": grammar, "functions": functions, "hex": hex_line}

if __name__ == "__main__":
    generator = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 17)
    for _ in range(int(sys.argv[2])):
        print(MAKERS[sys.argv[1]](generator))
