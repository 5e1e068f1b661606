"""A natal chart, printed for a person to read, from the JSON that zentaric returns.

Birth: 15 May 1990, 10:30 UTC, New Delhi (28.6139° N, 77.2090° E); Lahiri ayanamsha, Placidus houses.
"""
import json

import zentaric

BIRTH = dict(year=1990, month=5, day=15, hour=10, minute=30, latitude=28.6139, longitude=77.2090)


def dms(degrees):
    """Degrees as d°mm′ss″ (rounded to the second)."""
    seconds = round(degrees * 3600)
    return f"{seconds // 3600:3d}°{seconds // 60 % 60:02d}′{seconds % 60:02d}″"


def zodiac_position(longitude):
    sign = int(longitude // 30) % 12
    return f"{zentaric.sign_name(sign):<11s} {dms(longitude - 30 * (longitude // 30))}"


def print_chart(chart):
    print(f"Julian Day (UT) {chart['julian_day']}   ayanamsha {dms(chart['ayanamsha_value'])}")
    print(chart["config_summary"])
    print()
    print(f"{'Body':<9s} {'Sign and degree':<24s} {'Nakshatra':<25s} {'House':>5s}  {'Dignity':<11s}")
    for planet in chart["planets"]:
        nakshatra = zentaric.get_nakshatra(planet["longitude"])
        motion = "R" if planet["retrograde"] else " "
        print(f"{planet['name']:<9s} {zodiac_position(planet['longitude']):<24s} "
              f"{nakshatra['nakshatra'] + ' pada ' + str(nakshatra['pada']):<25s} {planet['house']:>5d}  "
              f"{planet['dignity']:<11s} {motion}")
    houses = chart["houses"]
    print()
    print(f"Ascendant {dms(houses['asc'])} tropical, midheaven {dms(houses['mc'])} tropical ({houses['system']})")
    for row in range(0, 12, 4):
        print("  ".join(f"{k + 1:2d}: {dms(houses['cusps'][k])}" for k in range(row, row + 4)))
    print()
    names = [planet["name"] for planet in chart["planets"]]
    print("Aspects")
    for aspect in chart["aspects"]:
        state = "applying" if aspect["applying"] else "separating"
        print(f"  {names[aspect['body1']]:<9s} {aspect['type']:<11s} {names[aspect['body2']]:<9s} "
              f"orb {aspect['orb']:5.2f}°  strength {aspect['strength']:.2f}  {state}")
    moon = chart["planets"][1]
    dasha = json.loads(zentaric.compute_dasha(moon["longitude"], chart["julian_day"], 2))
    print()
    print(f"Vimshottari dasha (Moon in {dasha['moon_nakshatra']}, balance {dasha['initial_balance']:.4f})")
    birth_maha = dasha["maha_dashas"][0]
    birth_antar = birth_maha["sub_periods"][0]
    print(f"  running at birth: {birth_maha['lord']} maha dasha, {birth_antar['lord']} antar dasha "
          f"(to JD {birth_antar['end_jd']:.1f})")


def print_short_paths():
    print(f"calendar_to_jd(2000, 1, 1.5) = {zentaric.calendar_to_jd(2000, 1, 1.5)}")
    for longitude in (0.0, 123.4, 200.0, 359.9):
        nakshatra = zentaric.get_nakshatra(longitude)
        navamsha = zentaric.sign_name(zentaric.compute_varga(longitude, "navamsha"))
        print(f"{longitude:6.1f}°  {nakshatra['nakshatra']:<16s} pada {nakshatra['pada']}  "
              f"lord {nakshatra['dasha_lord']:<8s} navamsha {navamsha}")


def main():
    print("zentaric natal chart: 15 May 1990 10:30 UTC, New Delhi")
    print()
    try:
        chart = json.loads(zentaric.compute_natal_chart(**BIRTH))
    except NotImplementedError:
        print("(the natal chart is not available in this build; short paths instead)")
        print_short_paths()
        return
    print_chart(chart)


if __name__ == "__main__":
    main()
