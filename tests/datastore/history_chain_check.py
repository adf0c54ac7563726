#!/usr/bin/env python3
"""Recomputes the hash of every row of HISTORY_4 from the bytes isql-fb shows,
independently of the program, and prints the ID of each row whose stored HASH
or PREV_HASH does not follow; then "rows: N". Usage: history_chain_check.py DB
"""
import datetime
import hashlib
import subprocess
import sys

QUERY = """SET LIST ON;
SELECT ID,
 CAST(MOMENT AS VARCHAR(24)) AS MOMENT,
 CAST(TRIM(PREV_HASH) AS VARCHAR(64) CHARACTER SET OCTETS) AS PREV_HASH,
 CAST(TABLE_NAME AS VARCHAR(31) CHARACTER SET OCTETS) AS TABLE_NAME,
 CAST(RECORD_KEY AS VARCHAR(40) CHARACTER SET OCTETS) AS RECORD_KEY,
 CAST(ACTION AS VARCHAR(20) CHARACTER SET OCTETS) AS ACTION,
 CAST(SOURCE AS VARCHAR(1000) CHARACTER SET OCTETS) AS SOURCE,
 CAST(CHANGES AS VARCHAR(32000) CHARACTER SET OCTETS) AS CHANGES,
 HASH
FROM HISTORY_4 ORDER BY ID;
"""


def rows(database):
    output = subprocess.run(
        ["isql-fb", "-q", "-user", "SYSDBA", "-password", "any", database],
        input=QUERY.encode(), capture_output=True, check=True).stdout.decode("ascii")
    row = {}
    for line in output.splitlines() + [""]:
        if not line.strip():
            if row:
                yield row
            row = {}
            continue
        name, _, value = line.partition(" ")
        row[name] = value.strip()


def octets(hex_text):
    return b"" if hex_text in ("", "<null>") else bytes.fromhex(hex_text)


def moment(text):
    return datetime.datetime.strptime(text, "%d-%b-%Y %H:%M:%S.%f").strftime("%Y-%m-%d %H:%M:%S")


def main(database):
    previous, count = b"", 0
    for row in rows(database):
        count += 1
        fields = [octets(row["PREV_HASH"]), row["ID"].encode(), moment(row["MOMENT"]).encode()]
        fields += [octets(row[name]) for name in ("TABLE_NAME", "RECORD_KEY", "ACTION", "SOURCE",
                                                  "CHANGES")]
        digest = hashlib.sha256(b"".join(field + b"\n" for field in fields)).hexdigest()
        if fields[0] != previous or digest != row["HASH"]:
            print(row["ID"])
        previous = row["HASH"].encode()
    print("rows: %d" % count)


main(sys.argv[1])
