// The teacher's scanner of pupils' result codes: the camera, the rear one
// where there is one, shown in the page; one code after another read from
// its frames as pupils bring their tablets to the desk, each confirmed with
// a flash, a short sound and what the page says of it. The browser's own
// BarcodeDetector reads them where there is one; elsewhere (iPad Safari,
// Firefox, Chrome on Windows and Linux) the page's decoder, a file of the
// served site loaded on first use (reader.js). The one file, even served,
// has no such file beside it: there the scanner says the camera needs the
// site.
import {served} from './dom.js';

const failed = (reason) => Object.assign(new Error(reason), {reason});

// How the camera failed, by the error the browser gives.
function cameraFailure(error) {
  if (['NotAllowedError', 'SecurityError'].includes(error?.name)) return failed('refused');
  if (['NotReadableError', 'AbortError', 'TrackStartError'].includes(error?.name)) return failed('inUse');
  return failed('absent');
}

// The web site's page, whose policy lets it load the decoder beside it.
export const canScan = () => served && Boolean(document.querySelector('link[rel="manifest"]'))
  && Boolean(navigator.mediaDevices?.getUserMedia);

// A reader of one frame: the text of the QR code in it, or null.
async function makeReader(video) {
  if ('BarcodeDetector' in window && (await BarcodeDetector.getSupportedFormats()).includes('qr_code')) {
    const detector = new BarcodeDetector({formats: ['qr_code']});
    return async () => (await detector.detect(video))[0]?.rawValue ?? null;
  }
  const {readQr} = await import(new URL('qr-reader.js', location.href).href);
  const canvas = document.createElement('canvas');
  const context = canvas.getContext('2d', {willReadFrequently: true});
  return () => {
    canvas.width = video.videoWidth;
    canvas.height = video.videoHeight;
    context.drawImage(video, 0, 0);
    return readQr(context.getImageData(0, 0, canvas.width, canvas.height));
  };
}

// A short beep: made on the press that opens the scanner, as browsers ask.
function beeper() {
  const audio = window.AudioContext ? new AudioContext() : null;
  return (high) => {
    if (!audio) return;
    const tone = audio.createOscillator();
    const volume = audio.createGain();
    tone.frequency.value = high ? 1320 : 330;
    volume.gain.setValueAtTime(0.2, audio.currentTime);
    volume.gain.exponentialRampToValueAtTime(0.001, audio.currentTime + 0.15);
    tone.connect(volume).connect(audio.destination);
    tone.start();
    tone.stop(audio.currentTime + 0.15);
  };
}

// Starts the camera in `video`; `take(text)` takes each new code read and
// answers {ok, said}, which `tell(said, ok)` shows. Resolves to a stop
// function, or rejects with an error whose `reason` is 'refused', 'absent',
// 'inUse' or 'noDecoder'.
export async function startScanner(video, take, tell) {
  const beep = beeper();
  let stream;
  try {
    stream = await navigator.mediaDevices.getUserMedia(
      {video: {facingMode: {ideal: 'environment'}, width: {ideal: 640}, height: {ideal: 480}}, audio: false});
  } catch (error) {
    throw cameraFailure(error);
  }
  let running = true;
  const stop = () => {
    running = false;
    for (const track of stream.getTracks()) track.stop();
    video.srcObject = null;
  };
  try {
    video.srcObject = stream;
    await video.play();
  } catch (error) {
    stop();
    throw cameraFailure(error);
  }
  let read;
  try {
    read = await makeReader(video);
  } catch {
    stop();
    throw failed('noDecoder');
  }
  // The same code again within a few seconds is the same tablet still held
  // up, not a second reading.
  const lastSeen = new Map();
  (async () => {
    while (running) {
      await new Promise((resolve) => setTimeout(resolve, 80));
      if (!running || video.readyState < 2) continue;
      const text = await read().catch(() => null);
      const now = performance.now();
      if (!running || !text || now - (lastSeen.get(text) ?? -Infinity) < 3000) continue;
      lastSeen.set(text, now);
      const {ok, said} = take(text);
      beep(ok);
      tell(said, ok);
    }
  })();
  return stop;
}
