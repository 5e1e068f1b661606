"""Rahu as the mean node (the default) or the node of the Moon's true orbit, through the package and the command
line; Ketu is the point opposite."""
import pytest

from zentaric_chart import Birth, dasha

# The mean Rahu in Virgo at 29.2 deg, the true one in Libra at 0.65 deg: Ketu in Pisces (with Mars) or in Aries.
BIRTH = Birth("1977-05-15 16:00", 28.6139, 77.2090, tz="Asia/Kolkata")


def years(periods, sign):
    return next(round((p.end - p.start).days / 365.25) for p in periods if p.lord == sign)


def test_chara_dasha_counts_scorpio_to_the_chosen_ketu():
    assert dasha(BIRTH, "chara", 1) == dasha(BIRTH, "chara", 1, node="mean")
    assert (years(dasha(BIRTH, "chara", 1), "Scorpio"), years(dasha(BIRTH, "chara", 1, node="TRUE"), "Scorpio")) \
        == (4, 5)


def test_an_unknown_node_is_refused_with_the_accepted_ones():
    with pytest.raises(ValueError, match="unknown node 'osculating'.*accepted: mean, true"):
        dasha(BIRTH, node="osculating")
