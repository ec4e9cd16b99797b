import {launch} from './browser.mjs';
const browser = await launch();
for (let round = 0; round < 8; ++round) {
  const page = await browser.newPage();
  await page.goto(`file:///tmp/v-${process.argv[2]}.html#seed=3`);
  await page.waitForSelector('html[data-ready]');
  await new Promise(r => setTimeout(r, 300));
  console.log(await page.evaluate(() => {
    const n = performance.getEntriesByType('navigation')[0];
    const m = (k) => Math.round(performance.getEntriesByName(k)[0]?.startTime ?? -1);
    if (performance.getEntriesByName('layout').length) return `page ${m('page-script')} gothic ${m('font Zentavo Gothic')} mincho ${m('font Zentavo Mincho')} built ${m('built')} layout ${m('layout')} runtime ${m('runtime')} ready ${m('zentavo-ready')} fcp ${m('first-contentful-paint')}`;
    return `resp ${Math.round(n.responseEnd)} page ${m('page-script')} mod ${m('module-script')} moddone ${m('module-done')} runtime ${m('runtime')} built ${m('built')} ready ${m('zentavo-ready')} fcp ${m('first-contentful-paint')}`;
  }));
  await page.close();
}
await browser.close();
