"""A natal chart for a person to read, through the zentaric_chart package.

Birth: 15 May 1990, 16:00 local time in New Delhi (Asia/Kolkata, 10:30 UTC), 28.6139° N, 77.2090° E;
Lahiri ayanamsha, whole-sign houses. Prints the chart, the dasha periods running at birth and the maha dashas
with calendar dates, then the periods running today.
"""
from datetime import UTC, datetime

from zentaric_chart import Birth, dasha, dasha_at, natal
from zentaric_chart.text import chart_text, periods_text


def main() -> None:
    birth = Birth("1990-05-15 16:00", 28.6139, 77.2090, tz="Asia/Kolkata")
    chart = natal(birth, ayanamsha="Lahiri", houses="WholeSign")
    print("zentaric natal chart: New Delhi")
    print()
    print(chart_text(chart, running=dasha_at(birth, birth.utc, levels=3), mahas=dasha(birth, levels=1)))
    today = datetime.now(UTC)
    print()
    print(f"Periods running today ({today:%Y-%m-%d})")
    print(periods_text(dasha_at(birth, today, levels=3), indent="  "))


if __name__ == "__main__":
    main()
