"""Objects that reach the module's conversions through the interpreter's protocols."""


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
