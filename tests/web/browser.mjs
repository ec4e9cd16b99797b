// Debian's headless Chromium as the benchmark and the pictures drive it:
// engines.mjs' Chromium, under the names they use.
import {launch as launchEngine} from './engines.mjs';

export {openPage, pageFile, pageUrl} from './engines.mjs';
export const launch = (environment = {}) => launchEngine('chromium', environment);
