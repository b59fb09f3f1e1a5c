// The Emscripten module factory built from src/web/wasm, copied beside the bundle.
declare const createQuorvaneCore: (options?: object) => Promise<unknown>;
export default createQuorvaneCore;
