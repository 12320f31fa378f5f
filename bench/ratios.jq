# The benchmarks' JSON report as a table: each sequence's median CPU time beside its floor's (the
# benchmark of the same name with "/floor" appended), their ratio, and the larger of the two
# spreads (coefficient of variation over the repetitions). Then any benchmark that failed.

def right($width): tostring | if length < $width then " " * ($width - length) + . else . end;
def left($width): tostring | if length < $width then . + " " * ($width - length) else . end;
# A run's name without the "/min_time:..." that its least time per repetition adds.
def name: .run_name | sub("/min_time:[0-9.]+"; "");
def byname($aggregate):
    map(select(.aggregate_name == $aggregate) | {key: name, value: .}) | from_entries;
def time($run): if $run then "\($run.cpu_time * 100 | round / 100) \($run.time_unit)" else "-" end;
def row($name; $time; $floor; $ratio; $cv):
    "\($name | left(22)) \($time | right(12)) \($floor | right(12)) \($ratio | right(8)) \($cv | right(6))";

.benchmarks as $all
| ($all | byname("median")) as $median
| ($all | byname("cv")) as $cv
| ($all | map(select(.error_occurred) | "\(name) failed: \(.error_message)") | unique) as $errors
| [$all[] | name | select(endswith("/floor") | not)] | unique
| row("benchmark"; "time"; "floor"; "ratio"; "cv"),
  (.[] as $name | $median[$name] as $run | $median[$name + "/floor"] as $floor
   | row($name; time($run); time($floor);
         if $run and $floor then "\($run.cpu_time / $floor.cpu_time * 100 | round / 100)x" else "-" end;
         [$cv[$name].cpu_time, $cv[$name + "/floor"].cpu_time] | map(values)
         | if length > 0 then "\(max * 100 | round)%" else "-" end)),
  $errors[]
