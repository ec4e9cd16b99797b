// The QR code decoder of the scanner where the browser has none of its own:
// zxing-wasm's reader (npm, locked), bundled into a file of its own beside
// the site's page (qr-reader.js, with zxing_reader.wasm), loaded only when
// the scanner first opens and kept offline by the service worker.
import {prepareZXingModule, readBarcodes} from 'zxing-wasm/reader';

prepareZXingModule({
  overrides: {
    // Beside this file on the site, never a CDN.
    locateFile: (path, prefix) => (path.endsWith('.wasm') ? new URL(path, import.meta.url).href : prefix + path),
  },
  fireImmediately: true,
});

const options = {formats: ['QRCode'], tryHarder: true, maxNumberOfSymbols: 1};

// The text of the QR code in a frame (ImageData), or null.
export async function readQr(frame) {
  const [found] = await readBarcodes(frame, options);
  return found?.isValid ? found.text : null;
}
