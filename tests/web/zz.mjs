import {launch} from './browser.mjs';
const browser = await launch();
for (let round = 0; round < 3; ++round)
for (const v of ['full', 'nofont', 'nomodule', 'nolicence']) {
  const page = await browser.newPage();
  await page.goto(`file:///tmp/v-${v}.html#seed=3`);
  await new Promise(r => setTimeout(r, 400));
  console.log(v, await page.evaluate(() => {
    const n = performance.getEntriesByType('navigation')[0];
    return [Math.round(n.responseEnd), Math.round(n.domInteractive), Math.round(performance.getEntriesByName('zentavo-ready')[0]?.startTime ?? -1)];
  }));
  await page.close();
}
await browser.close();
