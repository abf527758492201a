#!/usr/bin/env node
// Where the page's CPU goes while it paces, the drill beside the bare page: Chromium's sampling
// profiler (the DevTools protocol's Profiler) over a span of pacing from the first step, the
// page untouched meanwhile. Prints, per page, the time the page's thread was busy and its
// heaviest functions by time spent in themselves, with the browser's own work (garbage
// collection, the program's compiled code, timers) under the names the profiler gives them, and
// the CPU each thread of the page's process used meanwhile.
//
//   node bench/web/profile.js SITE [INTERVAL_MS] [SECONDS]
'use strict';
const path = require('node:path');
const { setTimeout: sleep } = require('node:timers/promises');
const { startServer } = require('../../tests/web/server');
const makeChromium = require('../../tests/web/adapters/chromium');
const { startDrill, startBare, waitFor, firstStep, bareExtras } = require('./pages');
const { pageThreads, threadsSince } = require('./processes');

const [SITE, INTERVAL = '200', SECONDS = '15'] = process.argv.slice(2);
const TOP = 12;

// Self time per function, from the profile's samples and the time between them.
function selfTimes(profile) {
  const byId = new Map(profile.nodes.map((n) => [n.id, n]));
  const spent = new Map();
  profile.samples.forEach((id, i) => {
    const node = byId.get(id);
    const { functionName, url } = node.callFrame;
    const name = `${functionName || '(anonymous)'}${url ? ` ${path.basename(url)}` : ''}`;
    spent.set(name, (spent.get(name) || 0) + (profile.timeDeltas[i + 1] ?? 0) / 1000);
  });
  const total = [...spent.values()].reduce((a, b) => a + b, 0);
  const idle = spent.get('(idle)') || 0;
  return { total, busy: total - idle - (spent.get('(program)') || 0), program: spent.get('(program)') || 0, spent };
}

async function profilePage(t, base, page, interval, seconds) {
  if (page === 'drill') await startDrill(t, base, interval, false);
  else await startBare(t, base, interval, false);
  await waitFor(t, firstStep, null, 'the first step');
  await t.cdp('Profiler.enable');
  await t.cdp('Profiler.setSamplingInterval', { interval: 100 });
  const threadsBefore = pageThreads();
  await t.cdp('Profiler.start');
  await sleep(seconds * 1000);
  const { profile } = await t.cdp('Profiler.stop');
  const threads = threadsSince(threadsBefore);
  await t.cdp('Profiler.disable');
  return { ...selfTimes(profile), threads };
}

async function main() {
  const server = await startServer(SITE, { extras: bareExtras() });
  const t = await makeChromium(server.url);
  try {
    const interval = Number(INTERVAL);
    const seconds = Number(SECONDS);
    for (const page of ['drill', 'bare']) {
      const p = await profilePage(t, server.url, page, interval, seconds);
      const ms = (x) => `${x.toFixed(1)} ms`;
      console.log(`\n${page === 'drill' ? 'The drill' : 'The bare page'}, ${interval} ms, ${seconds} s profiled: ` +
        `JavaScript and WebAssembly ${ms(p.busy)} (${(100 * p.busy / p.total).toFixed(2)} % of the thread), ` +
        `the browser's own work on the thread ("(program)") ${ms(p.program)}`);
      const top = [...p.spent].filter(([n]) => n !== '(idle)').sort((a, b) => b[1] - a[1]).slice(0, TOP);
      for (const [name, time] of top) console.log(`  ${ms(time).padStart(10)}  ${name}`);
      // The profiler sees only the page's thread; the frames it asks for are drawn on others.
      const threads = [...p.threads].filter(([, s]) => s > 0).sort((a, b) => b[1] - a[1]);
      console.log(`  CPU of the page's process by thread: ${threads.map(([n, s]) => `${n} ${ms(1000 * s)}`).join(', ')}`);
    }
  } finally {
    await t.close();
    await server.close();
  }
}

main().catch((e) => {
  console.error(e);
  process.exit(1);
});
