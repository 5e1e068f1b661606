"""Objects that reach the module's conversions through the interpreter's protocols."""
from decimal import Decimal
from fractions import Fraction


class Index:
    """An integer through __index__."""

    def __init__(self, value):
        self.value = value

    def __index__(self):
        return self.value


class Real:
    """A float through __float__."""

    def __init__(self, value):
        self.value = value

    def __float__(self):
        return self.value


class BadIndex:
    def __index__(self):
        raise ValueError("no index")


class BadFloat:
    def __float__(self):
        raise ArithmeticError("no float")


class WrongIndex:
    def __index__(self):
        return "7"


class Name(str):
    pass


IntSub, FloatSub, TypeErrorSub = (type(base.__name__ + "Sub", (base,), {}) for base in (int, float, TypeError))
ERRORS = {error.__name__: error for error in (TypeError, ValueError, OverflowError, KeyError, ZeroDivisionError,
                                              TypeErrorSub)}
LONG_TEXT = "Lahiri" * 20000


class Raising:
    """__index__ and __float__ both raise a fresh `error(text)`."""

    def __init__(self, error, text):
        self.error, self.text = error, text

    def __index__(self):
        raise self.error(self.text)

    __float__ = __index__


# The tagged JSON form of the stored argument tables (tools/gen_reference_conversions.py): {"tag": inner}.
DECODERS = {"IntSub": IntSub, "FloatSub": FloatSub, "StrSub": Name, "Index": Index, "Real": Real, "float": float,
            "Raising": lambda pair: Raising(ERRORS[pair[0]], pair[1]), "Long": lambda head: head + LONG_TEXT,
            "bytes": bytes, "bytearray": bytearray, "complex": lambda pair: complex(*pair), "dict": dict,
            "object": lambda _: object(), "Decimal": Decimal, "Fraction": lambda pair: Fraction(*pair)}


def decode(value):
    if isinstance(value, list):
        return [decode(item) for item in value]
    if isinstance(value, dict):
        (tag, inner), = value.items()
        return DECODERS[tag](decode(inner))
    return value
