#!/usr/bin/python3
"""Makes the pairs of logs under this folder: a pair as Quorvane writes it, and the same pair saved back
by the tools users open the logs with. Needs LibreOffice (soffice) and Debian's python3-pandas; the
test reads the committed files, not this script."""

import csv, datetime, io, os, random, shutil, subprocess, tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
FOCUS = "focus-session-log.csv"
BREAKS = "daily-activity-log.csv"
FOCUS_HEADER = "event_id,start_timestamp,end_timestamp,date,session_number,session_title,active_seconds,target_seconds,completed,notes"
BREAK_HEADER = "event_id,start_timestamp,end_timestamp,date,session_number,session_title,activity,health_score,base_weight,effective_weight,daily_total,notes"

NOTES = ["", "重构 CSV 读取, 加了测试", 'Reviewed "spec" draft, two, three', "第一行\n第二行：写完了", "",
         "Call with María; notes → wiki", "读论文《注意力》", 'She said "ok", then left', "", "emails\nand more emails",
         "午饭后有点困", "fixed bug #42, finally", ""]
ACTIVITIES = [("喝水", 5, "1.000"), ("拉伸", 10, "1.500"), ("散步, 去楼下", 20, "0.750"), ("远眺", 5, "1.000"),
              ("深呼吸", 8, "1.250")]


def field(text):
    return '"' + text.replace('"', '""') + '"' if any(c in text for c in ',"\n\r') else text


def line(fields):
    return ",".join(field(f) for f in fields) + "\n"


def program_pair():
    rng = random.Random(44)
    focus, breaks = FOCUS_HEADER + "\n", BREAK_HEADER + "\n"
    rounds = 0
    for day, count, break_count in [(5, 8, 7), (6, 9, 7), (7, 8, 7)]:
        at = datetime.datetime(2026, 12, day, 8, 40)
        total = 0
        for number in range(1, count + 1):
            active = 1500 if number % 7 else 900
            end = at + datetime.timedelta(seconds=active + rng.randint(0, 400))
            eid = "%08x-%04x-4%03x-a%03x-%012x" % (rng.getrandbits(32), rng.getrandbits(16), rng.getrandbits(12),
                                                    rng.getrandbits(12), rng.getrandbits(48))
            note = NOTES[(rounds * 5) % len(NOTES)]
            title = "第 %d 个番茄" % number if number % 3 else "Write, review"
            focus += line([eid, at.strftime("%Y-%m-%d %H:%M:%S"), end.strftime("%Y-%m-%d %H:%M:%S"),
                           end.strftime("%Y-%m-%d"), str(number), title, str(active), "1500",
                           "true" if number % 7 else "false", note])
            rounds += 1
            at = end
            if number <= break_count:
                name, score, weight = ACTIVITIES[(rounds + number) % len(ACTIVITIES)]
                total += score
                confirmed = at + datetime.timedelta(seconds=240 + rng.randint(0, 200))
                bid = "%08x-%04x-4%03x-b%03x-%012x" % (rng.getrandbits(32), rng.getrandbits(16), rng.getrandbits(12),
                                                        rng.getrandbits(12), rng.getrandbits(48))
                breaks += line([bid, at.strftime("%Y-%m-%d %H:%M:%S"), confirmed.strftime("%Y-%m-%d %H:%M:%S"),
                                confirmed.strftime("%Y-%m-%d"), str(number), "第 %d 次休息" % number, name, str(score),
                                weight, "%.3f" % (float(weight) * 0.8), str(total),
                                NOTES[(rounds * 3 + 1) % len(NOTES)]])
                at = confirmed
            at += datetime.timedelta(seconds=300)
    return focus, breaks


def save(case, focus, breaks, mode="w", encoding="utf-8"):
    folder = os.path.join(HERE, case)
    os.makedirs(folder, exist_ok=True)
    for name, text in [(FOCUS, focus), (BREAKS, breaks)]:
        with open(os.path.join(folder, name), mode, encoding=encoding, newline="") as out:
            out.write(text)


def rows(text):
    return list(csv.reader(io.StringIO(text, newline="")))


def written(table, **options):
    out = io.StringIO(newline="")
    csv.writer(out, **options).writerows(table)
    return out.getvalue()


def libreoffice(case, focus, breaks, export, infilter="44,34,76,1,,1033,false,true"):
    with tempfile.TemporaryDirectory() as work:
        out = os.path.join(work, "out")
        results = []
        for name, text in [(FOCUS, focus), (BREAKS, breaks)]:
            source = os.path.join(work, name)
            with open(source, "w", encoding="utf-8", newline="") as f:
                f.write(text)
            subprocess.run(["soffice", "-env:UserInstallation=file://" + work + "/profile", "--headless",
                            "--infilter=CSV:" + infilter, "--convert-to", "csv:Text - txt - csv (StarCalc):" + export,
                            "--outdir", out, source], check=True, capture_output=True)
            with open(os.path.join(out, name), encoding="utf-8", newline="") as f:
                results.append(f.read())
    save(case, *results)


def pandas_round_trip(case, focus, breaks, change=None):
    import pandas
    results = []
    for name, text in [(FOCUS, focus), (BREAKS, breaks)]:
        frame = pandas.read_csv(io.StringIO(text), keep_default_na=False if change is None else True)
        if change:
            frame = change(name, frame)
        results.append(frame.to_csv())
    save(case, *results)


def main():
    focus, breaks = program_pair()
    save("program", focus, breaks)
    libreoffice("libreoffice", focus, breaks, "44,34,76,1")
    libreoffice("libreoffice-plain-quotes", focus, breaks, "44,34,76,1,,0,false")
    libreoffice("libreoffice-semicolon", focus, breaks, "59,34,76,1,,0,false,true")
    save("excel-semicolon-crlf-bom", "\ufeff" + written(rows(focus), delimiter=";"),
         "\ufeff" + written(rows(breaks), delimiter=";"))
    save("gb18030", written(rows(focus)), written(rows(breaks)), encoding="gb18030")
    pandas_round_trip("pandas", focus, breaks)

    def empty_health(name, frame):
        if name == BREAKS:
            frame.loc[3, "health_score"] = None
        return frame
    pandas_round_trip("pandas-empty-health", focus, breaks, empty_health)

    def user_column(table):
        return [row[:6] + ["项目" if i == 0 else "Quorvane"] + row[6:] for i, row in enumerate(table)]
    save("user-column", written(user_column(rows(focus))), written(user_column(rows(breaks))))

    retyped = rows(focus)
    retyped[4][1] = "12/5/2026 10:40"
    save("local-time", written(retyped), breaks)

    copied = rows(breaks)
    forgotten = list(copied[9])
    forgotten[1], forgotten[2], forgotten[11] = "2026-12-06 16:00:00", "2026-12-06 16:05:00", "补记：忘记的休息"
    copied.insert(10, forgotten)
    save("copied-row", focus, written(copied))


main()
