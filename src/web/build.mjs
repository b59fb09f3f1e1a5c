// Assembles the browser edition into build-web/site/: the bundled page (esbuild), the static
// files, the program's icon and the core's WebAssembly build, and fills the service worker's
// cache version (a hash of every other file of the site) and its file list.
//   node build.mjs          build the site
//   node build.mjs --unit   bundle and run the page's unit tests (test/*.test.ts) with node
import { build } from "esbuild";
import { createHash } from "node:crypto";
import { spawnSync } from "node:child_process";
import { copyFileSync, existsSync, mkdirSync, readdirSync, readFileSync, rmSync, statSync,
         writeFileSync } from "node:fs";
import { dirname, join, relative, resolve, sep } from "node:path";
import { fileURLToPath } from "node:url";

const here = dirname(fileURLToPath(import.meta.url));
const root = resolve(here, "../..");
const site = resolve(root, "build-web/site");
const wasmDir = resolve(process.env.QUORVANE_WASM_DIR ?? join(root, "build-web/wasm"));

function filesUnder(dir) {
  return readdirSync(dir).flatMap((name) => {
    const path = join(dir, name);
    return statSync(path).isDirectory() ? filesUnder(path) : [path];
  });
}

async function unitTests() {
  const out = resolve(root, "build-web/unit");
  rmSync(out, { recursive: true, force: true });
  const tests = readdirSync(join(here, "test")).filter((f) => f.endsWith(".test.ts"));
  await build({
    entryPoints: tests.map((f) => join(here, "test", f)),
    outdir: out,
    bundle: true,
    format: "esm",
    platform: "node",
    outExtension: { ".js": ".mjs" },
    logLevel: "warning",
  });
  const run = spawnSync(process.execPath,
                        ["--test", ...tests.map((f) => join(out, f.replace(/\.ts$/, ".mjs")))],
                        { stdio: "inherit" });
  process.exit(run.status ?? 1);
}

async function siteBuild() {
  const core = ["quorvane_core.js", "quorvane_core.wasm"].map((f) => join(wasmDir, f));
  for (const f of core) {
    if (!existsSync(f)) {
      console.error(`missing ${f}: build the core first (emcmake cmake -S src/web/wasm ` +
                    `-B build-web/wasm && cmake --build build-web/wasm -j2)`);
      process.exit(1);
    }
  }
  rmSync(site, { recursive: true, force: true });
  mkdirSync(site, { recursive: true });

  await build({
    entryPoints: [join(here, "app/main.ts")],
    outfile: join(site, "main.js"),
    bundle: true,
    format: "esm",
    target: ["es2020", "chrome90", "firefox90", "safari15"],
    external: ["./quorvane_core.js"],
    minify: true,
    legalComments: "none",
    logLevel: "warning",
  });

  const staticDir = join(here, "static");
  for (const f of filesUnder(staticDir)) {
    const to = join(site, relative(staticDir, f));
    mkdirSync(dirname(to), { recursive: true });
    if (relative(staticDir, f) !== "sw.js") copyFileSync(f, to);
  }
  copyFileSync(join(root, "packaging/quorvane.svg"), join(site, "icon.svg"));
  for (const f of core) copyFileSync(f, join(site, f.slice(wasmDir.length + 1)));

  // The worker's version is a hash of every file it caches, so any change makes a new cache.
  const files = filesUnder(site).map((f) => relative(site, f).split(sep).join("/")).sort();
  const hash = createHash("sha256");
  for (const f of files) {
    hash.update(f).update("\0").update(readFileSync(join(site, f))).update("\0");
  }
  const version = hash.digest("hex").slice(0, 16);
  const worker = readFileSync(join(staticDir, "sw.js"), "utf8")
                     .replace("__QUORVANE_VERSION__", version)
                     .replace("__QUORVANE_FILES__", JSON.stringify(["./", ...files]));
  writeFileSync(join(site, "sw.js"), worker);
  console.log(`site: ${relative(root, site)} (${files.length + 1} files, cache quorvane-${version})`);
}

if (process.argv.includes("--unit")) await unitTests();
else await siteBuild();
