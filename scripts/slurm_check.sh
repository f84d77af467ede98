#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a small study as a Slurm job array on a one-node cluster started on this machine, with
# the dependent job that merges it, and checks that the merged summary equals the summary of
# the same study run at once, apart from the run times. Run by hand, as root (it installs
# Debian's slurmd, slurmctld, slurm-client and munge when they are missing); not part of CI.
# The daemons it starts are stopped at the end; the files stay in the folder it prints.
#   scripts/slurm_check.sh [path/to/quibel-cli]   (default: build/rel/cli/quibel-cli)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cli="$(realpath "${1:-$root/build/rel/cli/quibel-cli}")"
[ -x "$cli" ] || { echo "no quibel-cli at $cli (build it first)"; exit 1; }

packages=(slurmd slurmctld slurm-client munge)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

work="$(mktemp -d /tmp/quibel-slurm.XXXXXX)"
chmod 755 "$work"
echo "Working in $work"
host="$(hostname -s)"
cores="$(nproc)"
started=()

stop_daemons() {
  local pidfile
  for pidfile in "${started[@]}"; do
    [ -s "$pidfile" ] && kill "$(cat "$pidfile")" 2>/dev/null || true
  done
}
trap stop_daemons EXIT

# munge: a key when there is none, and the daemon when it is not running.
if [ ! -s /etc/munge/munge.key ]; then
  dd if=/dev/urandom bs=1 count=1024 of=/etc/munge/munge.key status=none
  chown munge:munge /etc/munge/munge.key
  chmod 400 /etc/munge/munge.key
fi
if ! munge -n >/dev/null 2>&1; then
  mkdir -p /run/munge && chown munge:munge /run/munge
  runuser -u munge -- /usr/sbin/munged --pid-file=/run/munge/check.pid
  started+=(/run/munge/check.pid)
  sleep 1
fi

mkdir -p "$work/state" "$work/spool"
export SLURM_CONF="$work/slurm.conf"
cat > "$SLURM_CONF" <<CONF
ClusterName=quibel-check
SlurmctldHost=$host
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
SchedulerType=sched/backfill
MpiDefault=none
ReturnToService=2
JobCompType=jobcomp/none
AccountingStorageType=accounting_storage/none
StateSaveLocation=$work/state
SlurmdSpoolDir=$work/spool
SlurmctldPidFile=$work/slurmctld.pid
SlurmdPidFile=$work/slurmd.pid
SlurmctldLogFile=$work/slurmctld.log
SlurmdLogFile=$work/slurmd.log
NodeName=$host CPUs=$cores State=UNKNOWN
PartitionName=check Nodes=ALL Default=YES MaxTime=INFINITE State=UP
CONF
slurmctld -f "$SLURM_CONF"
started+=("$work/slurmctld.pid")
slurmd -f "$SLURM_CONF"
started+=("$work/slurmd.pid")
for _ in $(seq 60); do
  sinfo -h -o %t 2>/dev/null | grep -q -E '^(idle|mix|alloc)' && break
  sleep 1
done
sinfo

# The study: the start-up dam under two sine records, 3 levels, 4 sampled sets (24 cases),
# about half of them past the limit, so that a fragility curve is fitted.
study="$work/study"
mkdir -p "$study/logs"
cp "$root/examples/startup.qbl" "$study/dam.qbl"
awk 'BEGIN { for (i = 0; i <= 400; i++) { t = i * 0.005; print t, sin(2 * 3.14159265358979 * 2 * t) } }' > "$study/a.txt"
awk 'BEGIN { for (i = 0; i <= 400; i++) { t = i * 0.005; print t, 0.8 * sin(2 * 3.14159265358979 * 3 * t) } }' > "$study/b.txt"
cat > "$study/study.toml" <<'TOML'
project = "dam.qbl"
[intensity]
measure = "pga"
levels = [0.14, 0.17, 0.2]
[[records]]
name = "a"
file = "a.txt"
format = "pairs"
[[records]]
name = "b"
file = "b.txt"
format = "pairs"
[parameters]
PhiS = { distribution = "normal", mean = 42, sd = 6 }
PhiD = { distribution = "normal", mean = 38, sd = 6 }
[sampling]
count = 4
seed = 5
[[limits]]
response = "residual_sliding"
above = "1 mm"
TOML

# The job array of docs/batch.md, with 4 shards of one core each.
cat > "$study/study-array.sh" <<'JOB'
#!/bin/bash
#SBATCH --job-name=dam-study
#SBATCH --array=1-4
#SBATCH --ntasks=1
#SBATCH --cpus-per-task=1
#SBATCH --output=logs/study-%A_%a.out
set -euo pipefail
shards=4
cd "$SLURM_SUBMIT_DIR"
status=0
quibel-cli study study.toml -o results --shard "$SLURM_ARRAY_TASK_ID/$shards" \
    --jobs "$SLURM_CPUS_PER_TASK" || status=$?
if [ "$status" -ne 0 ] && [ "$status" -ne 2 ]; then
    exit "$status"
fi
JOB
export PATH="$(dirname "$cli"):$PATH"
cd "$study"
array=$(sbatch --parsable study-array.sh)
merge=$(sbatch --parsable --dependency=afterany:"$array" --job-name=dam-study-merge \
    --output=logs/merge-%j.out --wrap "quibel-cli study study.toml -o results")
echo "submitted array $array and merge $merge"
for _ in $(seq 300); do
  [ -z "$(squeue -h -j "$array,$merge" 2>/dev/null)" ] && break
  sleep 1
done
squeue
cat logs/merge-*.out

# The same study at once, and the shards' summaries joined by batch-merge.
quibel-cli study study.toml -o alone --jobs "$cores" > /dev/null
quibel-cli batch-merge results/summary-*-of-4.csv -o merged.csv
without_times() { sed -E 's/;[^;]*$//' "$1"; }
status=0
if diff <(without_times results/summary.csv) <(without_times alone/summary.csv) > /dev/null &&
   diff <(without_times merged.csv) <(without_times alone/summary.csv) > /dev/null &&
   diff results/fragility.csv alone/fragility.csv > /dev/null; then
  echo "slurm check passed: $(($(wc -l < alone/summary.csv) - 1)) cases; the merged summary equals the unsharded one apart from run_time_s"
  cat results/study.txt
else
  echo "slurm check FAILED: the merged summary differs from the unsharded one"; status=1
fi
exit "$status"
