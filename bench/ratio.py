"""One line per measurement beside its reference, read back by run_all.py into one table."""


def report(what, ours_s, reference_s=None, reference=""):
    """Prints a tab-separated RATIO line: what was measured, our seconds, the reference's seconds and name."""
    ref = f"{reference_s:.6f}" if reference_s is not None else ""
    print(f"RATIO\t{what}\t{ours_s:.6f}\t{ref}\t{reference}", flush=True)
