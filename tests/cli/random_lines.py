"""random_lines.py grammar|functions|hex COUNT [SEED]: deterministic random lines for orrin-calc: every token the
scanner knows (often malformed), calls at the edges of the functions' domains and ranges, or bit operations for --hex."""
import random
import sys

FUNCTIONS = "abs acos asin atan ceil cos cosh exp fabs floor log log10 pow sin sinh sqrt tan tanh".split()
EDGES = ("0 1 -1 0.5 2 1e308 1e-308 4e-320 710 709.78 -745 1000 1e22 1/0 sqrt(-1) log(0) -log(0) "
         "2147483648 1.5 -8 3").split()


def number(r):
    return r.choice([str(r.randint(0, 10 ** r.randint(1, 12))), f"{r.uniform(0, 1000):.{r.randint(0, 17)}f}",
                     f"{r.randint(1, 99)}e{r.choice(['', '-', '+'])}{r.randint(0, 330)}",
                     f"0x{r.getrandbits(r.choice([8, 32, 40])):x}", f"0{r.randint(0, 7777)}",
                     "'" + r.choice(["a", "\\n", "\\0", "\\x", "ab", "\\'"]) + "'", r.choice(["x", "y", "PI", "SIN"])])


def grammar(r, depth=0):
    pick = 0 if depth > 3 else r.random()
    deeper = lambda: grammar(r, depth + 1)  # noqa: E731
    if pick < 0.3:
        return number(r)
    if pick < 0.6:
        return deeper() + r.choice(list("+-*/%&|^+-*/=,") + [" "]) + deeper()
    if pick < 0.7:
        return "(" + r.choice(["", "-", "+"]) + deeper() + ")" * r.choice([1, 1, 1, 0, 2])
    return "~" + deeper() if pick < 0.75 else r.choice(FUNCTIONS) + r.choice(["(", " "]) + deeper() + ")"


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
    print("\n".join(MAKERS[sys.argv[1]](generator) for _ in range(int(sys.argv[2]))))
