// The commands of tavek-cli, one line each: name, function, usage line.
// Each function is defined in a file of its own (DatesCommand.cpp, ...) or in
// the file of the family whose code it shares (PairCommands.cpp, PoolCommands.cpp,
// AdvisorCommands.cpp: advise, curve, dutch and tickets; ResultCommands.cpp: results and check-payouts).
// No include guard: Cli.cpp includes this list twice.
TAVEK_CLI_COMMAND("dates", runDates, "dates [--json]")
TAVEK_CLI_COMMAND("races", runRaces, "races DATE [--json]")
TAVEK_CLI_COMMAND("win", runWin, "win DATE RACE [--stake H:YEN | --odds H:ODDS] [--json | --csv]")
TAVEK_CLI_COMMAND("fetch", runFetch, "fetch [--from yyyymmddhhnnss]")
TAVEK_CLI_COMMAND("quick", runQuick, "quick DATE RACE|all [--every SECONDS [--until HH:MM]]")
TAVEK_CLI_COMMAND("quinella", runQuinella, "quinella DATE RACE [--stake A-B:YEN | --odds A-B:ODDS] [--json | --csv]")
TAVEK_CLI_COMMAND("bracket", runBracket, "bracket DATE RACE [--stake A-B:YEN | --odds A-B:ODDS] [--json | --csv]")
TAVEK_CLI_COMMAND("place", runPlace, "place DATE RACE [--stake H:YEN] [--json | --csv]")
TAVEK_CLI_COMMAND("wide", runWide, "wide DATE RACE [--stake A-B:YEN] [--json | --csv]")
TAVEK_CLI_COMMAND("exacta", runExacta, "exacta DATE RACE [--stake A-B:YEN | --odds A-B:ODDS] [--json | --csv]")
TAVEK_CLI_COMMAND("trio", runTrio, "trio DATE RACE [--stake A-B-C:YEN | --odds A-B-C:ODDS] [--json | --csv]")
TAVEK_CLI_COMMAND("trifecta", runTrifecta,
                  "trifecta DATE RACE [--stake A-B-C:YEN | --odds A-B-C:ODDS] [--json | --csv]")
TAVEK_CLI_COMMAND("reference", runReference, "reference DATE RACE [--json | --csv]")
TAVEK_CLI_COMMAND(
    "value", runValue,
    "value DATE RACE [--pool win|place|bracket|quinella|wide|exacta|trio|trifecta] [--model harville|discounted] "
    "[--top N] [--json | --csv]")
TAVEK_CLI_COMMAND("stats", runStats, "stats [--from DATE] [--to DATE] [--json]")
TAVEK_CLI_COMMAND(
    "advise", runAdvise,
    "advise DATE RACE (--win H | --quinella A-B | --bracket A-B | --place H | --wide A-B | --exacta A-B | "
    "--trio A-B-C | --trifecta A-B-C) --prob P|model [--model harville|discounted] [--bankroll YEN] [--kelly F] "
    "[--json]")
TAVEK_CLI_COMMAND("curve", runCurve,
                  "curve DATE RACE (--win H | --quinella A-B | --bracket A-B | --place H | --wide A-B | --exacta A-B | "
                  "--trio A-B-C | --trifecta A-B-C) [--to YEN] [--step YEN] [--json]")
TAVEK_CLI_COMMAND("dutch", runDutch,
                  "dutch DATE RACE (--win H,H,... | --quinella A-B,... | --bracket A-B,... | --place H,... | "
                  "--wide A-B,... | --exacta A-B,... | --trio A-B-C,... | --trifecta A-B-C,...) --total YEN [--json]")
TAVEK_CLI_COMMAND("tickets", runTickets,
                  "tickets DATE RACE --pool win|place|quinella|wide|exacta|trio|trifecta (--list B,B,... | "
                  "--box H,H,... | --pivot H[,H] --with H,H,... [--multi] | --formation H,H/H,H[/H,H]) "
                  "(--total YEN [--split equal|payout|kelly] [--bankroll YEN] | --target YEN) [--prob model "
                  "[--model harville|discounted]] [--json | --csv]")
TAVEK_CLI_COMMAND("history", runHistory, "history DATE RACE [--json | --csv]")
TAVEK_CLI_COMMAND("results", runResults, "results DATE RACE [--json | --csv]")
TAVEK_CLI_COMMAND("check-payouts", runCheckPayouts, "check-payouts [--from DATE] [--to DATE] [--json]")
TAVEK_CLI_COMMAND(
    "replay", runReplay,
    "replay --from DATE --to DATE [--rule value|popularity:K|popularity:all|list:FILE] [--pool all|POOL,...] "
    "[--min-return PERCENT] [--top N] [--model harville|discounted] [--stake flat:YEN|kelly:F] "
    "[--bankroll YEN] [--at final|MINUTES] [--json | --csv]")
