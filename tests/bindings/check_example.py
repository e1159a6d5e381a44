"""Fails when a Python example does not parse, or uses a zavsys.NAME the module does not define: the Python
counterpart of compiling the C# example. Usage: check_example.py EXAMPLE..."""

import ast
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "bindings", "python"))
import zavsys  # noqa: E402


def unknown_names(path):
    with open(path, encoding="utf-8") as file:
        tree = ast.parse(file.read(), path)
    for node in ast.walk(tree):
        if isinstance(node, ast.Attribute) and isinstance(node.value, ast.Name) and node.value.id == "zavsys":
            if node.attr not in zavsys._EXPORTS and not hasattr(zavsys, node.attr):
                yield f"{path}:{node.lineno}: zavsys.{node.attr} is not in bindings/python/zavsys.py"


errors = [error for path in sys.argv[1:] for error in unknown_names(path)]
for error in errors:
    print(error)
sys.exit(1 if errors else 0)
