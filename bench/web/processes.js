'use strict';
// The browser's processes and their CPU time, from /proc: those the driver started (this
// process's descendants), the page's among them, and the page's threads by name.
const fs = require('node:fs');

const CLK_TCK = 100;

// [the fields of a /proc stat file after the name, the name]
function stat(file) {
  const text = fs.readFileSync(file, 'utf8');
  return [text.slice(text.lastIndexOf(')') + 2).split(' '), text.slice(text.indexOf('(') + 1, text.lastIndexOf(')'))];
}

function processes() {
  const parent = new Map();
  for (const name of fs.readdirSync('/proc')) {
    if (!/^\d+$/.test(name)) continue;
    try {
      const [fields] = stat(`/proc/${name}/stat`);
      parent.set(Number(name), { ppid: Number(fields[1]), cpu: Number(fields[11]) + Number(fields[12]) });
    } catch {
      // gone meanwhile
    }
  }
  const mine = new Set([process.pid]);
  let grew = true;
  while (grew) {
    grew = false;
    for (const [pid, p] of parent) {
      if (!mine.has(pid) && mine.has(p.ppid)) {
        mine.add(pid);
        grew = true;
      }
    }
  }
  mine.delete(process.pid);
  return [...mine].map((pid) => {
    let cmd = '';
    try {
      cmd = fs.readFileSync(`/proc/${pid}/cmdline`, 'utf8').split('\0').join(' ');
    } catch {
      // gone meanwhile
    }
    return { pid, cpu: parent.get(pid).cpu, kind: kindOf(cmd) };
  });
}

// The renderer (Chromium) or content process (Firefox) holds the page; the rest are the browser,
// its GPU or compositor process, and helpers.
function kindOf(cmd) {
  if (/--type=renderer/.test(cmd) || (/-contentproc/.test(cmd) && /\btab\s*$/.test(cmd))) return 'page';
  return 'other';
}

// Seconds of CPU since `before` (processes()), the page's processes' and all.
function cpuSince(before) {
  const was = new Map(before.map((p) => [p.pid, p.cpu]));
  const sum = { page: 0, all: 0 };
  for (const p of processes()) {
    const used = p.cpu - (was.get(p.pid) ?? 0);
    sum.all += used;
    if (p.kind === 'page') sum.page += used;
  }
  return { page: sum.page / CLK_TCK, all: sum.all / CLK_TCK };
}

// The page processes' threads: a map from 'pid/tid' to {name, cpu in ticks}.
function pageThreads() {
  const threads = new Map();
  for (const { pid, kind } of processes()) {
    if (kind !== 'page') continue;
    try {
      for (const tid of fs.readdirSync(`/proc/${pid}/task`)) {
        const [fields, name] = stat(`/proc/${pid}/task/${tid}/stat`);
        threads.set(`${pid}/${tid}`, { name, cpu: Number(fields[11]) + Number(fields[12]) });
      }
    } catch {
      // gone meanwhile
    }
  }
  return threads;
}

// Seconds of CPU each of the page's threads used since `before` (pageThreads()), by name.
function threadsSince(before) {
  const byName = new Map();
  for (const [key, { name, cpu }] of pageThreads()) {
    byName.set(name, (byName.get(name) || 0) + (cpu - (before.get(key)?.cpu ?? 0)) / CLK_TCK);
  }
  return byName;
}

module.exports = { processes, cpuSince, pageThreads, threadsSince };
