#!/usr/bin/env python3
"""Writes demo.sch, holidays.txt and triggers/Triggers.Lst, the demo
schedule's job file, public holidays and list of standard triggers, exactly
as Quillrun itself writes them (tab-separated 50-column lines, Windows-1252,
CR LF). Run it after changing the job table below, and commit the files it
writes. The list is shipped so that the job editor can offer PUBLISH's
trigger before the demo has been saved or run once."""

import datetime
import os

NEVER = "30 Dec 1899 00:00:00"  # a date-time of 0: the job never ran
STOCK_DATE_VARS = [
    "RUNDATE,RunDate,0,yyyymmdd",
    "PREVWD,RUND-1WD,0,yyyymmdd",
    "NEXTWD,RUND+1WD,0,yyyymmdd",
    "PREVRUN,-1RUND,0,yyyymmdd",
    "NEXTRUN,+1RUND,0,yyyymmdd",
    "MONTHBEG,+1CDOM,0,yyyymmdd",
    "MONTHEND,-1CDOM,0,yyyymmdd",
]

# name, group, command line, DOS job, frequency, run after [(job, condition,
# auto-unschedule)], wait file, delete wait file, trigger file, exclusivity,
# CPU usage, defer rollover, description, date variables (None = stock set)
JOBS = [
    ("START", "PREP", "echo Run date &RUNDATE& - previous working day &PREVWD& - next working day &NEXTWD&",
     False, "Daily", [], "", False, "", "", 10, False,
     "Opens the run day and shows three stock date variables", None),
    ("MKFLAG", "PREP", "mkdir -p work && sleep 2 && date > work/ready.flag",
     True, "Daily", [], "", False, "", "", 10, False,
     "Shell command line: creates the file LOADER waits for", None),
    ("LOADER", "PREP", "ls -l work",
     False, "Daily", [], "work/ready.flag", True, "", "", 10, False,
     "Waits for work/ready.flag and deletes it when it starts", None),
    ("EXTRACT", "MAIN", 'sh -c "sleep 2; ls /usr/bin | wc -l"',
     False, "Workdays", [("START", "S", "")], "", False, "", "DB", 40, False,
     "Runs after START succeeds; never together with BACKUP (keyword DB)", None),
    ("BACKUP", "MAIN", 'sh -c "sleep 2; tar -cvf /dev/null demo.ini holidays.txt"',
     False, "Daily", [("START", "S", "")], "", False, "", "TAPE DB", 40, False,
     "Runs after START succeeds; never together with EXTRACT", None),
    ("BADJOB", "MAIN", 'sh -c "echo FATAL: this job fails on purpose; exit 3"',
     False, "Daily", [("EXTRACT", "U", "")], "", False, "", "", 10, False,
     "Runs after EXTRACT ends either way; always fails and mails OPERATOR", None),
    ("ONFAIL", "REPORT", "echo BADJOB failed - running the recovery step",
     False, "Daily", [("BADJOB", "F", "")], "", False, "", "", 10, False,
     "Runs only after BADJOB fails", None),
    ("IFGOOD", "REPORT", "echo BADJOB succeeded",
     False, "Daily", [("BADJOB", "S", "Y")], "", False, "", "", 10, False,
     "Would run after BADJOB succeeds; taken off the schedule when it fails", None),
    ("PUBLISH", "REPORT", "echo Report for &RUNDATE& compared with &LASTWEEK& written at &STAMP&",
     False, "Daily", [("BACKUP", "S", ""), ("LOADER", "S", "Y")], "", False, "**Standard", "", 20, True,
     "Writes the standard trigger PUBLISH.trg when it ends",
     ["RUNDATE,RunDate,0,dd/mm/yyyy", "LASTWEEK,RUND-7CD,0,dd/mm/yyyy",
      "STAMP,RunDate,0,hh:nn:ss", "", "", "", ""]),
    ("NOTIFY", "REPORT", "echo PUBLISH has written its standard trigger",
     False, "Daily", [], "..PUBLISH", True, "", "", 10, False,
     "Waits for the standard trigger of PUBLISH", None),
    ("MONTHLY", "UPKEEP", "echo Month runs from &MONTHBEG& to &MONTHEND& - next run &NEXTRUN&",
     False, "+1WDOM -1WDOM", [], "", False, "", "", 10, False,
     "First and last working day of each month", None),
    ("TIDY", "UPKEEP", "df -h .",
     False, "Weekends", [], "", False, "", "", 10, False,
     "Saturdays and Sundays", None),
]

# End-of-job messages: job name -> {"normal" or "abnormal": (recipients, [subject
# and four body entries], [five Fil Var Att Flt Del flag texts])}. Recipients
# name address files in addresses/. Message texts must not hold commas.
MESSAGES = {
    "BADJOB": {"abnormal": (
        "OPERATOR",
        ["DEMO: BADJOB failed",
         "%JOBNAME% (group %GROUPNAME%) failed at %COMPLETIONTIME% after %DURATION%.",
         "Error: %ERRORDESC%",
         "output/BADJOB.out",  # its output, included (relative to the demo folder)
         "What to do: see docs/BADJOB.rtd"],
        ["", "", "", "10000", ""])},
}


def message_list(entries):
    """Five entries, each followed by a comma, as the schedule writer lists them."""
    assert len(entries) == 5 and not any("," in e for e in entries)
    return "".join(e + "," for e in entries)


def set_messages(cols, name):
    empty = ["", "", "", "", ""]
    for kind, (to_col, text_col, flag_col) in (("normal", (9, 22, 27)), ("abnormal", (35, 39, 28))):
        to, texts, flags = MESSAGES.get(name, {}).get(kind, ("", empty, empty))
        cols[to_col], cols[text_col], cols[flag_col] = to, message_list(texts), message_list(flags)


def field(value, column):
    """One column as the schedule writer writes it."""
    quote = "," in value or '"' in value
    value = value.replace('"', '""')
    value = value.rstrip(" ") if column == 46 else value.strip(" ")
    return '"' + value + '"' if quote else value


def flag(b):
    return "-1" if b else "0"


def job_line(job):
    (name, group, command, dos, freq, deps, wait, delete_wait, trigger, excl,
     cpu, defer, description, date_vars) = job
    cols = [""] * 51  # 1-based
    cols[1], cols[2], cols[3], cols[4], cols[5] = name, command, "", freq, excl
    cols[7] = "".join(d[0] + "," for d in deps)
    cols[8], cols[11] = flag(defer), flag(False)
    cols[13] = cols[14] = NEVER
    cols[15] = "0"
    cols[16] = cols[17] = cols[18] = cols[19] = "0"
    cols[20] = NEVER  # the earliest start (none): the day start, 00:00
    cols[21] = flag(dos)
    cols[22] = cols[39] = ",,,,,"
    cols[23] = wait
    cols[25] = "0"
    cols[26] = "30"  # a last duration of 0 reads as 30
    cols[27] = cols[28] = ",,,,,"
    cols[30], cols[31], cols[32], cols[33] = group, trigger, flag(delete_wait), description
    cols[34] = "0"
    cols[38] = flag(False)
    cols[40], cols[41] = str(cpu), flag(False)
    cols[42] = "".join(v.replace(",", "\u00ac") + "," for v in (date_vars or STOCK_DATE_VARS))
    cols[43], cols[44] = flag(False), "0"
    cols[45] = "".join(d[1] for d in deps)
    cols[46] = "".join(d[2] or " " for d in deps)
    cols[47] = "0"
    set_messages(cols, name)
    return "\t".join(field(cols[c], c) for c in range(1, 51))


def easter(year):
    """Gregorian Easter Sunday (anonymous algorithm)."""
    a, b, c = year % 19, year // 100, year % 100
    d, e = b // 4, b % 4
    f = (b + 8) // 25
    g = (b - f + 1) // 3
    h = (19 * a + b - d - g + 15) % 30
    i, k = c // 4, c % 4
    l = (32 + 2 * e + 2 * i - h - k) % 7
    m = (a + 11 * h + 22 * l) // 451
    month = (h + l - 7 * m + 114) // 31
    day = (h + l - 7 * m + 114) % 31 + 1
    return datetime.date(year, month, day)


def monday_on_or_after(d):
    return d + datetime.timedelta(days=(7 - d.weekday()) % 7)


def last_monday(year, month):
    d = datetime.date(year + month // 12, month % 12 + 1, 1) - datetime.timedelta(days=1)
    return d - datetime.timedelta(days=d.weekday())


def bank_holidays(year):
    """The bank holidays of England and Wales, weekend days moved to the next
    free weekday."""
    days = [(datetime.date(year, 1, 1), "New Year's Day")]
    if days[0][0].weekday() >= 5:
        days[0] = (monday_on_or_after(days[0][0]), "New Year's Day (substitute day)")
    e = easter(year)
    days += [(e - datetime.timedelta(days=2), "Good Friday"),
             (e + datetime.timedelta(days=1), "Easter Monday"),
             (monday_on_or_after(datetime.date(year, 5, 1)), "Early May bank holiday"),
             (last_monday(year, 5), "Spring bank holiday"),
             (last_monday(year, 8), "Summer bank holiday")]
    taken = set()
    for month_day, name in ((25, "Christmas Day"), (26, "Boxing Day")):
        d = datetime.date(year, 12, month_day)
        if d.weekday() >= 5 or d in taken:
            name += " (substitute day)"
            while d.weekday() >= 5 or d in taken:
                d += datetime.timedelta(days=1)
        taken.add(d)
        days.append((d, name))
    return days


def holidays_text():
    lines = ["; Public holidays of the demo schedule: the bank holidays of England and Wales.",
             "; One holiday a line: a date, a comma and a description. Lines starting with",
             "; a semicolon are comments. Quillrun stops when the last date has passed and",
             "; warns 30 days before, so add the next year in good time."]
    for year in range(2026, 2030):
        lines.append(";")
        lines.append("; " + str(year))
        for d, name in bank_holidays(year):
            lines.append("%d %s %d,%s" % (d.day, d.strftime("%b"), d.year, name))
    return lines


def write(path, lines):
    with open(path, "wb") as out:
        out.write("".join(line + "\r\n" for line in lines).encode("cp1252"))


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    write(os.path.join(here, "demo.sch"), [job_line(j) for j in JOBS])
    write(os.path.join(here, "holidays.txt"), holidays_text())
    write(os.path.join(here, "triggers", "Triggers.Lst"),
          ["%s (DEMO)" % job[0] for job in JOBS if job[8] == "**Standard"])
